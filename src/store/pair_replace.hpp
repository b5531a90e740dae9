#pragma once
// Replacing two files of one folder together, so that a kill at any moment leaves either both
// old files or both new ones.
//
// replacePair writes each new content completely (and flushed) to a fixed side file named
// kTempPrefix + "pair-" + a digest of the target, then records the intent in a marker file (written
// atomically), renames both side files over their targets, and removes the marker.
// finishPair, run before the files are read, completes what a kill left behind: with the marker
// present both side files are complete, so the remaining renames are done; without it the
// replace never began and stale side files are removed. Both are idempotent.

#include "store/files.hpp"

#include <string>
#include <string_view>
#include <system_error>

namespace quorvel::store {

struct PairPart {
    std::string name; // bare file name in the folder
    std::string_view content;
};

// Replaces the two files; markerName is the bare name of the intent marker. On an error before
// the marker is written both files are untouched; after it, the next finishPair completes them.
std::error_code replacePair(const Folder& folder, std::string_view markerName, const PairPart& a,
                            const PairPart& b);

// Completes or discards an interrupted replacePair with that marker (see above). The targets
// are needed to find stale side files when there is no marker.
std::error_code finishPair(const Folder& folder, std::string_view markerName,
                           std::string_view targetA, std::string_view targetB);

// The side file that replacePair writes for a target.
std::string pairSideName(std::string_view target);

} // namespace quorvel::store
