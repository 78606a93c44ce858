#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/fault_seam.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {

// Makes the folder `root` hold exactly `tree`, as Snapshot reads it.
void WriteTree(const std::filesystem::path& root, const Tree& tree);

// A state a power cut may leave: the first `point` operations were made, and of them the changes
// in `lost` did not reach the disk.
struct CrashState {
    std::size_t point = 0;
    std::vector<std::string> lost;  // each lost change, described
    Tree tree;
};

// Replays a recorded run of file operations (FaultSeam::Record) into the states a power cut may
// leave. A file's bytes survive once the file was flushed; an entry that a folder gains or loses
// (a file made or removed, a folder made or removed) survives once that folder was flushed; a
// rename, which no file system splits, survives whole once both its folders were flushed. A
// change that did not survive may be lost while later ones survive, but takes along each later
// change of the same entry or of the same file's bytes, which could not have been made without
// it.
class PowerCutReplay {
  public:
    PowerCutReplay(std::filesystem::path root, const Tree& before);

    // Follows the operations of a run that began at `before`; an operation on a path it cannot
    // follow fails the test.
    void follow(const std::vector<RecordedStep>& steps);
    // The tree with every change made, which must be what the run left on the disk.
    Tree everythingKept() const;

    // For each point: every change kept; every change not yet flushed lost; each of those lost
    // alone; and each unflushed append torn: a prefix of its bytes kept, or its length reached the
    // disk with zeros or stale bytes in place of its data. Points go in order, fewest losses first.
    // `atPoint`, where given, picks the points to visit.
    void forEachState(const std::function<void(const CrashState&)>& visit,
                      const std::function<bool(std::size_t)>& atPoint = {}) const;

  private:
    struct Node {
        bool folder = false;
        std::string link{};  // where a link leads; empty for files and folders
        std::map<std::string, int> entries{};
        std::string bytes{};
    };
    struct Change {
        std::size_t operation;
        int node;                    // the folder whose entry changes, or the file whose bytes grow
        std::string name;            // the entry; empty for bytes
        int leadsTo = -1;            // the entry's new node; -1 when it is removed
        std::string bytes{};         // added to the file
        std::size_t flushedAt{};     // the operation whose flush keeps it
        bool renameArrival = false;  // the next change is the same rename's departure
    };

    int lookUp(const std::filesystem::path& path) const;
    std::pair<int, std::string> parentOf(const std::filesystem::path& path) const;
    // The names below the root on the way to `path`, in UTF-8.
    std::vector<std::string> componentsOf(const std::filesystem::path& path) const;
    void change(Change change);
    void apply(std::vector<Node>& nodes, const Change& change) const;
    Tree treeOf(const std::vector<Node>& nodes) const;
    // `torn` stands in for the bytes of one change that is kept in part.
    Tree stateWith(std::size_t point, const std::vector<bool>& lost,
                   const std::map<std::size_t, std::string>& torn = {}) const;
    std::string describe(const Change& change) const;

    std::filesystem::path root_;
    std::vector<Node> before_;   // the nodes at the start; new ones are appended empty
    std::vector<Node> current_;  // as the run left them so far
    std::vector<Change> changes_;
    std::vector<RecordedStep> steps_;
};

}  // namespace tolvane::testing
