// Query execution from the SQL editor: the current statement, the selection, everything and the
// previous statement again. Statements run on a worker thread while the window keeps painting;
// other input waits in the queue until the batch is done.

#include "querytool/app/sql_editor.h"

#include "querytool/app/app_globals.h"
#include "querytool/app/application.h"
#include "querytool/app/messages_pane.h"
#include "querytool/app/query_status_bar.h"
#include "querytool/app/query_window.h"
#include "querytool/app/result_tabs.h"
#include "querytool/app/wait_cursor.h"

#include "querytool/query_batch.h"
#include "querytool/statements.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::function<void()>& waitHook() {
    static std::function<void()> hook;
    return hook;
}

constexpr const char* kExecuting = " Executing Query(s)...";

} // namespace

void SetBatchWaitHook(std::function<void()> hook) {
    waitHook() = std::move(hook);
}

void RunWhilePainting(const std::function<void()>& work) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    MSG msg;
    while (!done) {
        if (waitHook()) waitHook()();
        if (PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            DispatchMessage(&msg);
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    worker.join();
}

int CSqlEditor::runBatch(const std::string& text, bool useTest, bool keepLastPiece) {
    MYSQL* connection = m_window.Connection();
    QueryBatch batch(connection);
    std::atomic<bool> mentionedUse{false};
    std::function<void()> onUse;
    if (useTest) onUse = [&mentionedUse] { mentionedUse = true; };
    RunWhilePainting([&] { batch.RunText(text, onUse); });
    if (mentionedUse) g_appGlobals->application->SyncCurrentDatabase(connection);

    CResultTabs& tabs = *m_window.Tabs();
    int index = 0;
    for (std::unique_ptr<QueryResult>& result : batch.TakeResults())
        tabs.InsertRecordsTab(index++, std::move(result));
    tabs.InsertMessagesTab(index);
    tabs.Messages()->SetText(batch.Messages());
    tabs.ShowViews(!batch.HadError());
    m_window.StatusBar()->SetText(batch.CompletionText());
    tabs.SelectTab(batch.HadError() ? index : 0);
    if (keepLastPiece && batch.HasLastPiece()) RememberLastQuery(batch.LastPiece());
    return 1;
}

int CSqlEditor::ExecuteCurrent() {
    const CHARRANGE selection = Selection();
    if (selection.cpMax - selection.cpMin >= 2) return ExecuteSelected();
    SetFocus(m_edit);
    const std::string text = GetText();
    if (text.empty()) return 0;
    const CurrentStatementPlan plan = PlanCurrentStatement(text, static_cast<std::size_t>(selection.cpMax));
    if (plan.kind == CurrentStatementPlan::RunAll) return ExecuteAll();
    WaitCursor wait;
    m_window.Tabs()->FreeResults();
    if (plan.kind == CurrentStatementPlan::Nothing) return 1;
    m_window.StatusBar()->SetText(kExecuting);
    return runBatch(std::string(plan.piece), true, true);
}

int CSqlEditor::ExecuteSelected() {
    const CHARRANGE selection = Selection();
    if (selection.cpMin == selection.cpMax) return 0;
    WaitCursor wait;
    if (!m_window.Connection()) {
        MessageBox(m_edit, "Error No. 2006\nMySQL Server has gone away.", "Tessmark", MB_ICONERROR);
        return 0;
    }
    m_window.Tabs()->FreeResults();
    m_window.StatusBar()->SetText(kExecuting);
    return runBatch(SelectedText(), true, true);
}

int CSqlEditor::ExecuteAll() {
    if (!m_window.Connection()) {
        MessageBox(m_edit, "Error No. 2006\nMySQL Server has gone away.", "Tessmark", MB_ICONERROR);
        return 0;
    }
    const std::string text = GetText();
    if (text.empty()) return 0;
    WaitCursor wait;
    m_window.Tabs()->FreeResults();
    m_window.StatusBar()->SetText(kExecuting);
    return runBatch(text, true, true);
}

int CSqlEditor::ExecutePrevious() {
    if (!m_lastQuery) {
        MessageBox(m_edit, "Previously no query was executed !!!", "Tessmark", MB_ICONINFORMATION);
        return 0;
    }
    WaitCursor wait;
    m_window.Tabs()->FreeResults();
    const std::string text = *m_lastQuery;
    return runBatch(text, false, false);
}
