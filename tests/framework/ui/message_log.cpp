// Message-sequence recorder of the windowing tests.
#include "message_log.h"

#include <map>
#include <sstream>

namespace {

std::string SequenceText(const std::vector<TLoggedMessage>& seq) {
    std::ostringstream out;
    for (size_t i = 0; i < seq.size(); ++i)
        out << (i ? ", " : "") << seq[i].who << ':' << MessageName(seq[i].msg);
    return "[" + out.str() + "]";
}

} // namespace

std::string MessageName(UINT msg) {
    static const std::map<UINT, const char*> names = {
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_HSCROLL, "WM_HSCROLL"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {WM_MEASUREITEM, "WM_MEASUREITEM"},
        {WM_COMPAREITEM, "WM_COMPAREITEM"},
        {WM_DELETEITEM, "WM_DELETEITEM"},
        {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
        {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_SIZE, "WM_SIZE"},
        {CM_ENTER, "CM_ENTER"},
        {CM_EXIT, "CM_EXIT"},
        {CM_MOUSEENTER, "CM_MOUSEENTER"},
        {CM_MOUSELEAVE, "CM_MOUSELEAVE"},
        {CM_DIALOGKEY, "CM_DIALOGKEY"},
        {CM_FOCUSCHANGED, "CM_FOCUSCHANGED"},
        {CN_KEYDOWN, "CN_KEYDOWN"},
        {CN_HSCROLL, "CN_HSCROLL"},
        {CN_VSCROLL, "CN_VSCROLL"},
        {CN_MEASUREITEM, "CN_MEASUREITEM"},
        {CN_COMPAREITEM, "CN_COMPAREITEM"},
        {CN_DELETEITEM, "CN_DELETEITEM"},
        {CN_CTLCOLOREDIT, "CN_CTLCOLOREDIT"},
        {CN_CTLCOLORSTATIC, "CN_CTLCOLORSTATIC"},
    };
    auto it = names.find(msg);
    if (it != names.end())
        return it->second;
    std::ostringstream out;
    out << "0x" << std::hex << msg;
    return out.str();
}

TMessageLog::TMessageLog(std::set<UINT> interesting) : interesting_(std::move(interesting)) {}

TMessageLog::~TMessageLog() {
    for (TControl* control : watched_)
        control->UnhookMessages(this);
}

void TMessageLog::Watch(TControl& control, std::string who) {
    watched_.push_back(&control);
    control.HookMessages(this,
                         [this, who = std::move(who)](TMessage& m, const TMessageChain& next) {
                             if (interesting_.count(m.Msg)) {
                                 entries_.push_back({who, m.Msg});
                                 details_.push_back({{who, m.Msg}, m.WParam});
                             }
                             next(m);
                         });
}

std::vector<WPARAM> TMessageLog::WParamsOf(const std::string& who, UINT msg) const {
    std::vector<WPARAM> out;
    for (const TEntry& e : details_)
        if (e.message.who == who && e.message.msg == msg)
            out.push_back(e.wparam);
    return out;
}

::testing::AssertionResult SameSequence(const std::vector<TLoggedMessage>& recorded,
                                        const std::vector<TLoggedMessage>& expected) {
    if (recorded == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\n  recorded " << SequenceText(recorded)
                                         << "\n  expected " << SequenceText(expected);
}
