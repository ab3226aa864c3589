# Precompiled headers. Nearly every file of the program and its tests includes Qt's widget
# headers, whose parsing took most of a clean build. They are compiled once in reelbox_pch (the
# program, the tools, the benchmarks) and once more with GoogleTest in reelbox_test_pch (the
# tests), and every target reuses one of the two: their compile flags match (the macros of the
# other Qt modules do not reach these headers), so GCC takes the one .gch. Targets over QtCore
# alone keep out: the widget headers are not theirs.
#   reelbox_use_pch(<target> [TESTS])
set(REELBOX_PCH_HEADERS
  <algorithm> <array> <cerrno> <chrono> <cmath> <cstdint> <cstring> <functional> <map> <memory>
  <optional> <string> <utility> <vector>
  <QApplication> <QByteArray> <QComboBox> <QDir> <QEvent> <QFile> <QFileInfo> <QFrame>
  <QLabel> <QLineEdit> <QMenu> <QMouseEvent> <QObject> <QPointer> <QPushButton>
  <QSignalBlocker> <QString> <QStringList> <QTimer> <QWidget>
  <mpv/client.h>)

# libmpv's pkg-config asks for -D_REENTRANT, which glibc has long ignored (g++ defines
# _GNU_SOURCE); it would tell the mpv targets' compile flags from the others' and so keep them
# from the shared precompiled headers.
get_target_property(mpv_options PkgConfig::MPV INTERFACE_COMPILE_OPTIONS)
if(mpv_options)
  list(REMOVE_ITEM mpv_options -D_REENTRANT)
  set_target_properties(PkgConfig::MPV PROPERTIES INTERFACE_COMPILE_OPTIONS "${mpv_options}")
endif()

function(reelbox_use_pch target)
  cmake_parse_arguments(arg "TESTS" "" "" ${ARGN})
  if(NOT REELBOX_PCH OR arg_TESTS)
    return()
  endif()
  set(pch reelbox_pch)
  if(arg_TESTS)
    set(pch reelbox_test_pch)
  endif()
  if(NOT TARGET ${pch})
    set(anchor ${CMAKE_BINARY_DIR}/pch/anchor.cpp)
    if(NOT EXISTS ${anchor})
      file(WRITE ${anchor} "// The precompiled headers' own translation unit.\n")
    endif()
    add_library(${pch} STATIC ${anchor})
    target_link_libraries(${pch} PRIVATE Qt6::Widgets PkgConfig::MPV)
    target_precompile_headers(${pch} PRIVATE ${REELBOX_PCH_HEADERS})
    if(arg_TESTS)
      target_link_libraries(${pch} PRIVATE GTest::gtest)
      target_precompile_headers(${pch} PRIVATE <gtest/gtest.h>)
    endif()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${pch})
endfunction()
