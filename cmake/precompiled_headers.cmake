# Precompiled headers for the program's libraries and tools. Nearly every file of the program
# includes Qt's widget headers; they are compiled once in reelbox_pch and every target reuses it:
# their compile flags match (the macros of the other Qt modules do not reach these headers), so
# GCC takes the one .gch. Targets over QtCore alone keep out: the widget headers are not theirs.
# The tests and benchmarks keep out as well: loading the 200 MB .gch cost each of their files more
# than parsing what it includes (measured on a clean build).
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
