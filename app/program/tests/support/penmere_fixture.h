#pragma once
// Runs the editor in the test process over a program folder of its own (a copy of the shipped
// files), with the shell's opener, message boxes and file dialogs answered by the test.

#include "app/program/CEditMDIApp.h"
#include "app/program/CEditMDIView.h"
#include "app/program/CMainFrame.h"
#include "cmake/test_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class PenmereTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (with a command line of the given arguments) and lets its start-up timer
    // run; told to stop short of it, delivers no message at all.
    void start(const std::vector<std::string>& args = {}, bool runStartupTimer = true);
    // Closes the main window and ends the run as the message loop does, then the program object.
    void stop();
    // Delivers queued messages, with the clock moved on by ms first.
    void pump(unsigned ms = 0);
    // Delivers messages until done() holds or five seconds of real time pass, for work of another
    // thread or process, which takes real time; done()'s last value.
    bool pumpUntil(const std::function<bool()>& done);
    void command(UINT id);
    CEditMDIView* activeView();
    // The view's text with its line breaks as LF (the control keeps CR LF), and its selection.
    std::string viewText(CEditMDIView* view);
    std::pair<long, long> viewSelection(CEditMDIView* view);
    std::string windowText(HWND hwnd);
    // The path of a file in the program folder.
    std::string programFile(const std::string& relative) const { return folder + "/" + relative; }
    void answerFileDialog(const std::string& path);

    std::string folder;
    std::unique_ptr<CEditMDIApp> app;
    CMainFrame* frame = nullptr;
    std::vector<std::string> opened; // targets given to the shell's opener
    std::vector<std::string> boxes;  // message box texts
    int boxAnswer = IDNO;
    std::vector<std::string> argStore;
    std::vector<char*> argv;
};
