#pragma once
// A progress for tests: records every call and can report Stop from a
// chosen pump on.

#include "platform/Progress.h"

#include <string>
#include <utility>
#include <vector>

class CRecordingProgress : public IProgress {
public:
    void SetMessage(const std::string& text) override { messages.push_back(text); }
    void SetRange(int low, int high) override { ranges.emplace_back(low, high); }
    void SetPos(int pos) override { positions.push_back(pos); }
    void ShowStopButton(bool show) override { stopButtonShown.push_back(show); }
    bool PumpMessages() override
    {
        ++pumpCount;
        return stopAfterPumps < 0 || pumpCount <= stopAfterPumps;
    }

    std::vector<std::string> messages;
    std::vector<std::pair<int, int>> ranges;
    std::vector<int> positions;
    std::vector<bool> stopButtonShown;
    int pumpCount = 0;
    // -1: never stops; n: the pumps after the n-th report false.
    int stopAfterPumps = -1;
};
