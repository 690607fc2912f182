# Plants a small source tree with rules of its own, runs cmake/check_layers.cmake on it and checks
# that it reports exactly the planted violations, then that it passes the tree once they are gone.
#   cmake -DCHECKER=<check_layers.cmake> -DWORK=<scratch folder> -P check_layers_test.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
set(tree ${WORK}/tree)

function(plant path)
  list(JOIN ARGN "\n" text)
  file(WRITE ${tree}/${path} "${text}\n")
endfunction()

file(WRITE ${WORK}/rules.cmake [=[
set(PM_LAYERS platform/win platform/win/gdi platform/win/wm platform/win/controls platform/com platform/forms)
set(PM_PUBLIC_HEADER_INCLUDES platform/com)
set(PM_QT_BACKEND platform/win/wm/widget.cpp platform/win/gdi/store.h platform/win/wm/stale.cpp)
set(PM_PROGRAMS pen tess)
set(PM_PROGRAM_LAYERS_pen editor docking app)
set(PM_PROGRAM_LAYERS_tess querytool)
]=])

# What the rules allow.
plant(platform/win/windows.h "#include \"platform/win/wintypes.h\"" "#include \"platform/com/unknwn.h\"")
plant(platform/win/wm/widget.cpp "#include <QWidget>" "#include \"platform/win/gdi/store.h\"")
plant(platform/win/gdi/store.h "#include <QImage>" "#include \"platform/win/gdi/record.h\"")
plant(platform/win/gdi/record.h "#include \"platform/win/wintypes.h\"" "#include <vector>")
plant(platform/win/wm/stale.cpp "#include <QWidget>")
plant(platform/win/controls/button.cpp "#include \"platform/win/wm/wm.h\"" "#include \"platform/win/windows.h\"")
plant(platform/win/controls/tests/button_test.cpp "#include <QTest>" "#include \"platform/win/tests/support/test_windows.h\"")
plant(platform/forms/form.cpp "#include \"platform/com/unknwn.h\"" "#include \"platform/win/controls/control.h\"")
plant(platform/forms/tests/form_test.cpp "#include <QTest>" "#include \"editor/view.h\"")
plant(editor/view.cpp "#include \"platform/forms/form.h\"" "#include \"editor/view.h\"")
plant(docking/bar.cpp "#include \"editor/view.h\"" "#include \"docking/bar.h\"")
plant(app/main.cpp "#include \"docking/bar.h\"" "#include \"editor/view.h\"" "#include \"platform/win/windows.h\"")
plant(querytool/query.cpp "#include \"querytool/query.h\"" "#include \"platform/forms/form.h\"")
plant(editor/tests/view_test.cpp "#include \"app/main.h\"")
plant(fuzz/fuzz_query.cpp "#include \"querytool/query.h\"" "#include \"app/main.h\"")

function(run_checker out_result out_text)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -DRULES=${WORK}/rules.cmake -P ${CHECKER}
                  RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE text)
  set(${out_result} ${result} PARENT_SCOPE)
  set(${out_text} "${text}" PARENT_SCOPE)
endfunction()

run_checker(result text)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the clean tree fails the check:\n${text}")
endif()

# The violations, each once.
plant(editor/bad_qt.cpp "#include <QString>")
plant(platform/win/controls/bad_qt.cpp "#include <QtGui/QPainter>")
plant(platform/win/wm/bad_up.cpp "#include \"platform/win/controls/control.h\"")
plant(platform/win/gdi/bad_up.h "#include \"platform/win/wm/wm.h\"")
plant(platform/com/bad_up.cpp "#include \"platform/forms/form.h\"")
plant(platform/win/winuser.h "#include \"platform/win/wm/window.h\"")
plant(platform/win/gdi/bad_helper.cpp "#include \"platform/win/tests/support/test_windows.h\"")
plant(platform/win/wm/bad_program.cpp "#include \"editor/view.h\"")
plant(platform/win/gdi/record.h "#include \"platform/win/wintypes.h\"" "#include <QRegion>")
# Qt through quoted includes, one and two headers deep; a backend file named that uses no Qt.
plant(platform/win/gdi/wrap.h "#include \"platform/win/gdi/store.h\"")
plant(editor/bad_through.cpp "#include \"platform/win/gdi/wrap.h\"")
plant(platform/win/wm/stale.cpp "#include \"platform/win/wm/wm.h\"")
# Program folders: a lower one including a higher one, and one program including another's header.
plant(editor/bad_up.cpp "#include \"docking/bar.h\"")
plant(docking/bad_up.h "#include \"app/main.h\"")
plant(querytool/bad_other.cpp "#include \"editor/view.h\"")
plant(app/bad_other.cpp "#include \"querytool/query.h\"")

set(expected
  "editor/bad_qt.cpp: includes <QString>: Qt belongs in the window system's backend files"
  "platform/win/controls/bad_qt.cpp: includes <QtGui/QPainter>: Qt belongs in the window system's backend files"
  "platform/win/wm/bad_up.cpp: includes \"platform/win/controls/control.h\": a lower layer includes a higher one"
  "platform/win/gdi/bad_up.h: includes \"platform/win/wm/wm.h\": a lower layer includes a higher one"
  "platform/com/bad_up.cpp: includes \"platform/forms/form.h\": a lower layer includes a higher one"
  "platform/win/winuser.h: includes \"platform/win/wm/window.h\": public headers include only each other and the COM shapes"
  "platform/win/gdi/bad_helper.cpp: includes \"platform/win/tests/support/test_windows.h\": test helpers belong to tests"
  "platform/win/wm/bad_program.cpp: includes \"editor/view.h\": the platform includes a program's header"
  "platform/win/gdi/record.h: includes <QRegion>: Qt belongs in the window system's backend files"
  "platform/win/gdi/wrap.h: includes \"platform/win/gdi/store.h\", which brings in Qt: Qt belongs in the window system's backend files"
  "editor/bad_through.cpp: includes \"platform/win/gdi/wrap.h\", which brings in Qt: Qt belongs in the window system's backend files"
  "platform/win/wm/stale.cpp: listed as a backend file but uses no Qt"
  "editor/bad_up.cpp: includes \"docking/bar.h\": a lower program layer includes a higher one"
  "docking/bad_up.h: includes \"app/main.h\": a lower program layer includes a higher one"
  "querytool/bad_other.cpp: includes \"editor/view.h\": one program includes another's header"
  "app/bad_other.cpp: includes \"querytool/query.h\": one program includes another's header")

run_checker(result text)
if(result EQUAL 0)
  message(FATAL_ERROR "the planted violations pass the check:\n${text}")
endif()
string(REGEX MATCHALL "layers: [^\n]*: [^\n]*\n" reported "${text}")
list(LENGTH expected expected_count)
set(reported_count 0)
foreach(line ${reported})
  if(NOT line MATCHES "violation\\(s\\)")
    math(EXPR reported_count "${reported_count} + 1")
  endif()
endforeach()
foreach(e ${expected})
  string(FIND "${text}" "layers: ${e}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "not reported: ${e}\nthe check said:\n${text}")
  endif()
endforeach()
if(NOT reported_count EQUAL expected_count)
  message(FATAL_ERROR "${reported_count} reports for ${expected_count} planted violations:\n${text}")
endif()
