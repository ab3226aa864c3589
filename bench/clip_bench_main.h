#pragma once

// The start shared by the benchmarks that play made clips: headless unless told otherwise, the
// process set up as the program's own is, the clips made, then the benchmarks the command line
// asks for (Google Benchmark's own flags).
#include "bench_samples.h"
#include "media_clips.h"
#include "platform/process_setup.h"

#include <QApplication>
#include <cstdio>
#include <functional>

inline int runOnClips(
    int argc, char** argv, MediaClips*& clips, const std::function<bool(MediaClips&)>& make)
{
    useHeadlessDefaults();
    QApplication app(argc, argv);
    setUpMoviePlayerProcess();  // as the program has it
    clips = new MediaClips;
    if (!make(*clips)) {
        std::fprintf(stderr, "%s\n", qPrintable(clips->why()));
        return 1;
    }
    runBenchmarks(argc, argv);
    delete clips;
    clips = nullptr;
    return 0;
}
