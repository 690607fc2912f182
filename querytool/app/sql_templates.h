#pragma once
// The statement templates: the string resources the "SQL Templates" dialog lists and the copies the
// "Insert Templates" menu inserts.

#include <string>
#include <vector>

struct SqlTemplate {
    int id;               // string resource and menu command
    const char* name;     // name in the dialog, or null for menu-only templates
    const char* menuText; // item of the "Insert Templates" menu
    const char* text;     // the string resource
};

const std::vector<SqlTemplate>& SqlTemplates();

// The text a template menu command inserts (LF line ends and the menu's own wording), or "" for an
// identifier without a template.
std::string TemplateMenuText(int id);
