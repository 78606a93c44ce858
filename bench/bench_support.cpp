#include "bench_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace tolvane::bench {
namespace {

void Put32(char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

void WriteGeneratedGob(const std::filesystem::path& path,
                       const std::vector<GeneratedMember>& members) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string directory(16 + 136 * members.size(), '\0');
    directory.replace(0, 4, "GOB\x0A");
    Put32(directory.data() + 12, static_cast<std::uint32_t>(members.size()));
    std::uint64_t offset = directory.size();
    for (std::size_t i = 0; i < members.size(); ++i) {
        char* entry = directory.data() + 16 + 136 * i;
        Put32(entry, static_cast<std::uint32_t>(offset));
        Put32(entry + 4, static_cast<std::uint32_t>(members[i].size));
        members[i].name.copy(entry + 8, 128);
        offset += members[i].size;
    }
    out << directory;
    for (const GeneratedMember& member : members) {
        std::string chunk(std::min<std::uint64_t>(member.size, 1 << 20), member.fill);
        for (std::uint64_t left = member.size; left > 0;) {
            std::size_t run = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
            out.write(chunk.data(), static_cast<std::streamsize>(run));
            left -= run;
        }
    }
    if (!out.good()) {
        std::fprintf(stderr, "could not write %s\n", path.c_str());
        std::exit(1);
    }
}

BenchSession::BenchSession(const std::filesystem::path& game, const std::filesystem::path& ships,
                           const std::filesystem::path& programFolder)
    : session(store, prompts, programFolder, programFolder) {
    store.save("Version", "Ordell Version", "2.5");
    store.save("Settings", "XWA Exe", (game / "XWINGALLIANCE.EXE").string());
    store.save("Settings", "ShipSet Dir", (ships / "").string());
}

double SecondsOf(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string MapStore::get(const std::string& section, const std::string& key) const {
    for (const auto& [name, value] : values_) {
        if (name == section + "/" + key)
            return value;
    }
    return {};
}

void MapStore::save(const std::string& section, const std::string& key, const std::string& value) {
    for (auto& [name, stored] : values_) {
        if (name == section + "/" + key) {
            stored = value;
            return;
        }
    }
    values_.emplace_back(section + "/" + key, value);
}

void NoPrompts::message(const std::string& text, const std::string& title, Icon) {
    std::fprintf(stderr, "unexpected message \"%s\": %s\n", title.c_str(), text.c_str());
    std::exit(1);
}

Answer NoPrompts::question(const std::string& text, const std::string& title, Icon, Answer) {
    std::fprintf(stderr, "unexpected question \"%s\": %s\n", title.c_str(), text.c_str());
    std::exit(1);
}

}  // namespace tolvane::bench
