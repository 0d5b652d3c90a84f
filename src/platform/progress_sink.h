// Where analysis progress goes: a progress window, a terminal line, or nowhere.
#pragma once

#include <string>
#include <vector>

namespace corvane {

// Percentages: 0..50 while a chunk is read, 50..100 while it is parsed;
// kChunkFinished when a chunk is done.
class ProgressSink {
public:
    static constexpr int kChunkFinished = 256;

    virtual ~ProgressSink() = default;
    virtual void showProgressFile(const std::string& path) = 0;
    virtual void setProgress(int percent) = 0;
    virtual void hideProgress() = 0;
};

class NullProgressSink final : public ProgressSink {
public:
    void showProgressFile(const std::string&) override {}
    void setProgress(int) override {}
    void hideProgress() override {}
};

// Keeps every call, for tests.
class RecordingProgressSink final : public ProgressSink {
public:
    void showProgressFile(const std::string& path) override { files.push_back(path); }
    void setProgress(int percent) override { values.push_back(percent); }
    void hideProgress() override { ++hides; }

    std::vector<std::string> files;
    std::vector<int> values;
    int hides = 0;
};

}  // namespace corvane
