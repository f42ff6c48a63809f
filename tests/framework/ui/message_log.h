// Message-sequence recording for the windowing tests: a hook on each watched
// control logs the message and passes it on; the log is compared with an
// expected table of (control, message).
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/ui/control.h"

// One expected or recorded message: who received it and which message it was.
struct TLoggedMessage {
    std::string who;
    UINT msg = 0;
    bool operator==(const TLoggedMessage& o) const { return who == o.who && msg == o.msg; }
};

// The readable name of a message the sequence tests look at (else its number).
std::string MessageName(UINT msg);
// Compares a recorded sequence with the expected one; the failure shows both as text.
::testing::AssertionResult SameSequence(const std::vector<TLoggedMessage>& recorded,
                                        const std::vector<TLoggedMessage>& expected);

class TMessageLog {
public:
    // Records only the messages in `interesting`.
    explicit TMessageLog(std::set<UINT> interesting);
    // Gives every watched control its WindowProc back.
    ~TMessageLog();
    TMessageLog(const TMessageLog&) = delete;
    TMessageLog& operator=(const TMessageLog&) = delete;

    // Starts recording what `control` receives, under the name `who`.
    void Watch(TControl& control, std::string who);
    void Clear() {
        entries_.clear();
        details_.clear();
    }
    const std::vector<TLoggedMessage>& Entries() const { return entries_; }
    // The recorded messages of one kind, in order (e.g. the reflected codes).
    std::vector<WPARAM> WParamsOf(const std::string& who, UINT msg) const;
    // Compares the record with `expected`.
    ::testing::AssertionResult Matches(const std::vector<TLoggedMessage>& expected) const {
        return SameSequence(entries_, expected);
    }

private:
    struct TEntry {
        TLoggedMessage message;
        WPARAM wparam;
    };
    std::set<UINT> interesting_;
    std::vector<TControl*> watched_;
    std::vector<TLoggedMessage> entries_;
    std::vector<TEntry> details_;
};
