#pragma once
// "Flush": one FLUSH statement chosen by radio buttons, sent on the query window's connection.

class CQueryWindow;

void RunFlushDialog(CQueryWindow& window);
