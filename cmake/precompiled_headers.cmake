# Precompiled headers for the program's libraries and tools. Nearly every file of the program
# includes Qt's widget headers; they are compiled once in reelbox_pch and every target reuses it:
# their compile flags match (the macros of the other Qt modules do not reach these headers), so
# GCC takes the one .gch. Targets over QtCore alone keep out: the widget headers are not theirs.
# The tests have their own (below): this one's optimised flags are not theirs. The benchmarks keep
# out: loading the 200 MB .gch cost each of their files more than parsing what it includes.
#   reelbox_use_pch(<target>)
set(REELBOX_PCH_HEADERS
  <algorithm> <array> <cerrno> <chrono> <cmath> <cstdint> <cstring> <functional> <map> <memory>
  <optional> <string> <utility> <vector>
  <QApplication> <QByteArray> <QComboBox> <QDir> <QEvent> <QFile> <QFileInfo> <QFrame>
  <QLabel> <QLineEdit> <QMenu> <QMouseEvent> <QObject> <QPointer> <QPushButton>
  <QSignalBlocker> <QString> <QStringList> <QTimer> <QWidget>
  <mpv/client.h>)

# libmpv's and libpulse's pkg-config ask for -D_REENTRANT, which glibc has long ignored (g++
# defines _GNU_SOURCE); it would tell their users' compile flags from the others' and so keep them
# from the shared precompiled headers.
foreach(package PkgConfig::MPV PkgConfig::PULSE)
  get_target_property(options ${package} INTERFACE_COMPILE_OPTIONS)
  if(options)
    list(REMOVE_ITEM options -D_REENTRANT)
    set_target_properties(${package} PROPERTIES INTERFACE_COMPILE_OPTIONS "${options}")
  endif()
endforeach()

function(reelbox_use_pch target)
  if(NOT REELBOX_PCH)
    return()
  endif()
  set(pch reelbox_pch)
  if(NOT TARGET ${pch})
    set(anchor ${CMAKE_BINARY_DIR}/pch/anchor.cpp)
    if(NOT EXISTS ${anchor})
      file(WRITE ${anchor} "// The precompiled headers' own translation unit.\n")
    endif()
    add_library(${pch} STATIC ${anchor})
    target_link_libraries(${pch} PRIVATE Qt6::Widgets PkgConfig::MPV)
    target_precompile_headers(${pch} PRIVATE ${REELBOX_PCH_HEADERS})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${pch})
endfunction()

# The tests' own precompiled headers: Qt's widget and test headers and GoogleTest, compiled once
# with the tests' flags (unoptimised) for every test program over Qt, each of which compiles in
# one piece too (a unity build). Parsing those headers was most of each test file's compile time,
# and the files of one program instantiated the same fixture's templates each again.
#   reelbox_use_test_pch(<directory>)   after the directory's targets are made
set(REELBOX_TEST_PCH_HEADERS ${REELBOX_PCH_HEADERS}
  <QRegularExpression> <QSignalSpy> <QTemporaryDir> <QTest> <gtest/gtest.h>)

function(reelbox_use_test_pch directory)
  if(NOT REELBOX_PCH)
    return()
  endif()
  if(NOT TARGET reelbox_test_pch)
    set(anchor ${CMAKE_BINARY_DIR}/pch/test_anchor.cpp)
    if(NOT EXISTS ${anchor})
      file(WRITE ${anchor} "// The tests' precompiled headers' own translation unit.\n")
    endif()
    add_library(reelbox_test_pch STATIC ${anchor})
    target_link_libraries(reelbox_test_pch PRIVATE reelbox_qt_test_main PkgConfig::MPV)
    target_precompile_headers(reelbox_test_pch PRIVATE ${REELBOX_TEST_PCH_HEADERS})
  endif()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory ${subdirectories})
    reelbox_use_test_pch(${subdirectory})
  endforeach()
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    get_target_property(libraries ${target} LINK_LIBRARIES)
    if(type STREQUAL "EXECUTABLE" AND libraries MATCHES "reelbox_qt_test_main|reelbox_test_support")
      target_precompile_headers(${target} REUSE_FROM reelbox_test_pch)
      set_target_properties(${target} PROPERTIES UNITY_BUILD ${REELBOX_UNITY})
    endif()
  endforeach()
endfunction()
