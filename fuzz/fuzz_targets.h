#pragma once

#include <QByteArray>
#include <vector>

// What the fuzzers feed and the corpus replay test replays: each target takes any bytes and
// must neither crash nor read out of bounds; a target that finds a broken promise aborts.
namespace fuzz_targets {

struct Target {
    const char* name;  // also the corpus folder: fuzz/corpus/<name>/
    void (*run)(const QByteArray& bytes);
};

const std::vector<Target>& all();
const Target* byName(const char* name);

}  // namespace fuzz_targets
