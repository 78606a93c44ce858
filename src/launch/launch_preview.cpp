#include "launch/launch_preview.h"

#include <algorithm>
#include <set>
#include <variant>

#include "launch/launch_plan.h"
#include "pilots/pilot_files.h"
#include "text/name_matching.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

std::string Counted(std::size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string ShownPath(const fs::path& relative) {
    return WithBackslashes(Utf8Of(relative));
}

std::string Summary(const std::vector<ChangedPath>& paths) {
    std::size_t counts[5] = {};
    for (const ChangedPath& path : paths)
        ++counts[static_cast<int>(path.mark)];
    std::vector<std::string> parts;
    if (std::size_t n = counts[static_cast<int>(ChangeMark::Replaced)])
        parts.push_back("Replaces " + Counted(n, "game file", "game files"));
    if (std::size_t n = counts[static_cast<int>(ChangeMark::Added)])
        parts.push_back("adds " + Counted(n, "file", "files"));
    if (std::size_t n = counts[static_cast<int>(ChangeMark::Folder)])
        parts.push_back("makes " + Counted(n, "new folder", "new folders"));
    if (std::size_t n = counts[static_cast<int>(ChangeMark::Patch)])
        parts.push_back("patches the executable with " + Counted(n, "patch file", "patch files"));
    if (std::size_t n = counts[static_cast<int>(ChangeMark::Pilot)])
        parts.push_back("carries " + Counted(n, "pilot file", "pilot files"));
    if (parts.empty())
        return "Changes nothing in the game folder";
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    text[0] = static_cast<char>(UpperAscii(text.substr(0, 1))[0]);
    return text;
}

// Exactly what the launch's journal will record: every member's file and every folder made.
LaunchPreview FromPlan(const LaunchPlan& plan) {
    LaunchPreview preview;
    std::set<fs::path> listed;
    for (const fs::path& folder : plan.journal.createdFolders)
        preview.paths.push_back({ShownPath(folder) + "\\", ChangeMark::Folder});
    for (const JournalMember& member : plan.journal.members) {
        if (!listed.insert(member.relativePath).second)
            continue;  // a second spelling of a file already listed
        ChangeMark mark =
            member.change == MemberChange::Added ? ChangeMark::Added : ChangeMark::Replaced;
        if (member.relativePath.parent_path() == plan.patchFolder &&
            MatchesPattern("*.zt", Utf8Of(member.relativePath.filename())))
            mark = ChangeMark::Patch;
        else if (IsPilotFile(member.relativePath))
            mark = ChangeMark::Pilot;
        preview.paths.push_back({ShownPath(member.relativePath), mark});
    }
    std::sort(preview.paths.begin(), preview.paths.end(),
              [](const ChangedPath& a, const ChangedPath& b) {
                  return LessIgnoringCase(a.path, b.path);
              });
    preview.summary = Summary(preview.paths);
    return preview;
}

}  // namespace

const char* MarkName(ChangeMark mark) {
    switch (mark) {
        case ChangeMark::Replaced:
            return "replaced";
        case ChangeMark::Added:
            return "added";
        case ChangeMark::Patch:
            return "patch";
        case ChangeMark::Pilot:
            return "pilot";
        case ChangeMark::Folder:
            return "new folder";
    }
    return "";
}

LaunchPreview PreviewLaunch(Session& session, const fs::path& package) {
    if (GameFolderOf(session.settings).empty()) {
        return {"No game folder is set yet: set the game's XWINGALLIANCE.EXE " +
                    session.prompts.howTo(Instruction::SetOptions) +
                    " to see what this ShipSet changes.",
                {},
                true};
    }
    std::variant<LaunchPlan, LaunchRefusal> plan =
        PlanLaunch(session, package, Planning::ForPreview);
    if (const auto* refusal = std::get_if<LaunchRefusal>(&plan))
        return {refusal->text, {}, true};
    return FromPlan(std::get<LaunchPlan>(plan));
}

}  // namespace tolvane
