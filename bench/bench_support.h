#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "session/progress.h"
#include "session/prompts.h"
#include "session/session.h"
#include "session/settings_store.h"

namespace tolvane::bench {

// A member of a generated package: its name, size and a fill byte.
struct GeneratedMember {
    std::string name;
    std::uint64_t size;
    char fill;
};

// Writes a GOB package member by member in 1 MiB pieces, so memory stays flat however large.
void WriteGeneratedGob(const std::filesystem::path& path,
                       const std::vector<GeneratedMember>& members);

// A progress bar nobody sees.
class CountingProgress : public Progress {
  public:
    void setMaximum(int maximum) override { maximum_ = maximum; }
    void setValue(int value) override { value_ = value; }
    int value() const override { return value_; }
    int maximum() const override { return maximum_; }

  private:
    int value_ = 0, maximum_ = 0;
};

double SecondsOf(const std::function<void()>& work);
double Median(std::vector<double> values);

class MapStore : public SettingsStore {
  public:
    std::string get(const std::string& section, const std::string& key) const override;
    void save(const std::string& section, const std::string& key,
              const std::string& value) override;

  private:
    std::vector<std::pair<std::string, std::string>> values_;
};

// Any box the benchmark did not plan for stops it: a measurement must not hide a failure.
class NoPrompts : public Prompts {
  public:
    void message(const std::string& text, const std::string& title, Icon icon) override;
    Answer question(const std::string& text, const std::string& title, Icon icon,
                    Answer defaultAnswer) override;
};

// A session whose settings point at `game` and `ships`, as accepted options leave them.
struct BenchSession {
    BenchSession(const std::filesystem::path& game, const std::filesystem::path& ships,
                 const std::filesystem::path& programFolder);
    MapStore store;
    NoPrompts prompts;
    Session session;
};

}  // namespace tolvane::bench
