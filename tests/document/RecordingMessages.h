#pragma once
// A message-box double that records every text, type and beep and answers
// with a chosen button.

#include "platform/MessageBox.h"

#include <string>
#include <utility>
#include <vector>

class RecordingMessages : public IMessageBox {
public:
    RecordingMessages() { SetMessages(this); }
    ~RecordingMessages() override { SetMessages(nullptr); }

    int Show(const std::string& text, unsigned type) override
    {
        shown.emplace_back(text, type);
        events.push_back("box:" + text);
        return answer;
    }
    void Beep(unsigned type) override
    {
        beeps.push_back(type);
        events.push_back("beep:" + std::to_string(type));
    }

    std::vector<std::pair<std::string, unsigned>> shown;
    std::vector<unsigned> beeps;
    std::vector<std::string> events;
    int answer = IDOK;
};
