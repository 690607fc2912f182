// The editor's entry point: the one application object and the framework's run.

#include "app/program/CEditMDIApp.h"

namespace {
CEditMDIApp theApp;
}

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv);
}
