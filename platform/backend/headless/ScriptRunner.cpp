#include "platform/backend/headless/ScriptRunner.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "platform/backend/HostEvents.h"
#include "platform/base/Log.h"
#include "platform/base/Text.h"
#include "platform/gdi/Png.h"
#include "platform/user/Backend.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"

namespace zorun {

namespace {

std::string Escaped(std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text) {
        if (c == u'\n')
            out += u"\\n";
        else if (c == u'\r')
            out += u"\\r";
        else if (c == u'\t')
            out += u"\\t";
        else
            out += c;
    }
    return ToUtf8(out);
}

bool DumpText(const std::string& path) {
    std::vector<TextRecord> texts = ScreenSurface().Texts();
    std::stable_sort(texts.begin(), texts.end(), [](const TextRecord& a, const TextRecord& b) {
        return a.position.y != b.position.y ? a.position.y < b.position.y
                                            : a.position.x < b.position.x;
    });
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const TextRecord& t : texts)
        out << t.position.x << '\t' << t.position.y << '\t' << Escaped(t.text) << '\n';
    out.close();
    return static_cast<bool>(out);
}

} // namespace

ScriptRunner::ScriptRunner(std::vector<ScriptStep> steps, VirtualClock& clock)
    : steps_(std::move(steps)), clock_(clock) {}

void ScriptRunner::Close() {
    closed_ = true;
    RequestQuit();
}

void ScriptRunner::Wait(std::optional<std::uint64_t> deadlineMs) {
    // Time passing inside `wait` or `hold`: stop at each timer on the way.
    if (waitUntil_) {
        if (deadlineMs && *deadlineMs < *waitUntil_) {
            clock_.AdvanceTo(*deadlineMs);
            return;
        }
        clock_.AdvanceTo(*waitUntil_);
        waitUntil_.reset();
        if (releaseAtEnd_) {
            PushInput({InputEvent::Kind::StylusUp, *releaseAtEnd_});
            releaseAtEnd_.reset();
        }
        return;
    }
    // Called from a handler that waits for input while messages are still to
    // be delivered: the next command comes after them, so only time passes.
    if (MessagesPending()) {
        if (deadlineMs)
            clock_.AdvanceTo(*deadlineMs);
        return;
    }
    while (next_ < steps_.size()) {
        const ScriptStep& step = steps_[next_++];
        if (RunStep(step))
            return;
    }
    if (!closed_) {
        Close(); // the end of the script is an `exit`
        return;
    }
    if (!quitForced_) {
        // Closed, yet the program goes on waiting: end its loops.
        LogWarning("script: the program did not end after the script closed it; quitting");
        quitForced_ = true;
        PostQuitMessage(0);
        return;
    }
    if (deadlineMs)
        clock_.AdvanceTo(*deadlineMs);
}

bool ScriptRunner::RunStep(const ScriptStep& step) {
    using Kind = ScriptStep::Kind;
    switch (step.kind) {
    case Kind::Tap:
        PushInput({InputEvent::Kind::StylusDown, step.point});
        PushInput({InputEvent::Kind::StylusUp, step.point});
        return true;
    case Kind::Down:
        PushInput({InputEvent::Kind::StylusDown, step.point});
        return true;
    case Kind::Move:
        PushInput({InputEvent::Kind::StylusMove, step.point});
        return true;
    case Kind::Up:
        PushInput({InputEvent::Kind::StylusUp, step.point});
        return true;
    case Kind::Hold:
        PushInput({InputEvent::Kind::StylusDown, step.point});
        waitUntil_ = clock_.NowMs() + step.ms;
        releaseAtEnd_ = step.point;
        return true;
    case Kind::Key:
        if (step.virtualKey)
            PushInput({InputEvent::Kind::KeyDown, {}, step.virtualKey, step.character});
        else
            PushInput({InputEvent::Kind::Char, {}, 0, step.character});
        return true;
    case Kind::Text:
        for (char16_t c : step.text)
            PushInput({InputEvent::Kind::Char, {}, 0, c});
        return true;
    case Kind::Wait:
        waitUntil_ = clock_.NowMs() + step.ms;
        return true;
    case Kind::Command:
        if (HWND main = MainWindow())
            PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(step.commandId), 0);
        else
            LogWarning("script: command " + std::to_string(step.commandId) + " at line " +
                       std::to_string(step.line) + ": there is no main window");
        return true;
    case Kind::Screenshot:
        ComposeScreen();
        if (!WritePng(ScreenSurface(), step.path)) {
            LogWarning("script: line " + std::to_string(step.line) + ": cannot write " + step.path);
            ++failures_;
        }
        return false;
    case Kind::DumpText:
        ComposeScreen();
        if (!DumpText(step.path)) {
            LogWarning("script: line " + std::to_string(step.line) + ": cannot write " + step.path);
            ++failures_;
        }
        return false;
    case Kind::Exit:
        Close();
        next_ = steps_.size();
        return true;
    }
    return false;
}

} // namespace zorun
