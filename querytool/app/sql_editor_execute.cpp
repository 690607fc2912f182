// Query execution from the SQL editor: the current statement, the selection, everything and the
// previous statement again. Statements run on a worker thread while the window keeps painting;
// other input waits in the queue until the batch is done, and what the worker throws comes back as
// an error of the batch.

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
#include <new>
#include <system_error>
#include <thread>

namespace {

std::function<void()>& waitHook() {
    static std::function<void()> hook;
    return hook;
}

constexpr const char* kExecuting = " Executing Query(s)...";

// What the work threw, as the text of an error box; empty when it ran through.
std::string runCaught(const std::function<void()>& work) {
    try {
        work();
        return std::string();
    } catch (const std::bad_alloc&) {
        return "Out of memory !!!";
    } catch (const std::exception& failure) {
        return failure.what();
    } catch (...) {
        return "The statements stopped on an unknown failure.";
    }
}

} // namespace

void SetBatchWaitHook(std::function<void()> hook) {
    waitHook() = std::move(hook);
}

std::string RunWhilePainting(const std::function<void()>& work) {
    std::atomic<bool> done{false};
    std::string failure;
    std::thread worker;
    try {
        worker = std::thread([&] {
            failure = runCaught(work);
            done = true;
            PostMessage(nullptr, WM_NULL, 0, 0); // ends the wait below
        });
    } catch (const std::system_error&) {
        return runCaught(work); // no thread to be had: the work runs here, without painting
    }
    // Only paints and the worker's wake-up are taken from the queue; input waits there.
    MSG msg;
    bool quit = false;
    while (!done) {
        if (waitHook()) waitHook()();
        if (GetMessage(&msg, nullptr, WM_NULL, WM_PAINT) == FALSE) {
            quit = true;
            break;
        }
        DispatchMessage(&msg);
    }
    worker.join();
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return failure;
}

int CSqlEditor::runBatch(const std::string& text, BatchKind kind) {
    MYSQL* connection = m_window.Connection();
    QueryBatch batch(connection);
    std::atomic<bool> mentionedUse{false};
    const std::function<void()> onUse = [&mentionedUse] { mentionedUse = true; };
    const std::string failure = RunWhilePainting([&] {
        if (kind == BatchKind::Pieces)
            batch.RunText(text, onUse);
        else
            batch.RunPiece(text, kind == BatchKind::Previous ? nullptr : onUse);
    });
    if (!failure.empty()) {
        batch.AddFailure(failure);
        MessageBox(m_edit, failure.c_str(), "Tessmark", MB_ICONERROR);
    }
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
    if (kind == BatchKind::Piece) RememberLastQuery(text);
    if (kind == BatchKind::Pieces && batch.HasLastPiece()) RememberLastQuery(batch.LastPiece());
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
    return runBatch(std::string(plan.piece), BatchKind::Piece);
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
    return runBatch(WithLineFeeds(SelectedText()), BatchKind::Pieces);
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
    return runBatch(text, BatchKind::Pieces);
}

int CSqlEditor::ExecutePrevious() {
    if (!m_lastQuery) {
        MessageBox(m_edit, "Previously no query was executed !!!", "Tessmark", MB_ICONINFORMATION);
        return 0;
    }
    WaitCursor wait;
    m_window.Tabs()->FreeResults();
    const std::string text = *m_lastQuery;
    return runBatch(text, BatchKind::Previous);
}
