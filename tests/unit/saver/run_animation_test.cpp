// The frame loop against a recording surface: order of the drawing calls, stopping, the
// overflow ending, repeatability, and no allocation once it runs.
#include "saver/line_animation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "runtime/runtime_error.h"

namespace {
// Counts the allocations made while `counting` is set (the whole test program goes through it).
bool counting = false;
long allocations = 0;
std::vector<int>* escaped = nullptr;  // a global, so the probe allocation cannot be optimised away
}  // namespace

// The replacement delete frees what the replacement new took from malloc; GCC cannot see the pairing.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace spindle {
namespace {

struct Call {
    enum Kind { Cls, Line, Refresh, Yield } kind;
    Segment segment;
};

// Records what the animation does, and stops it (or not) after a number of frames.
class Recorder : public DrawingSurface, public EventYield {
public:
    Recorder(AnchorState& anchors, int framesToRun, float width = 28800, float height = 16200)
        : anchors_(anchors), framesToRun_(framesToRun), width_(width), height_(height) {}

    float ScaleWidth() override { return width_; }
    float ScaleHeight() override { return height_; }
    void Cls() override { calls.push_back({Call::Cls, {}}); }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) override {
        calls.push_back({Call::Line, {x1, y1, x2, y2, rgb}});
    }
    void Refresh() override { calls.push_back({Call::Refresh, {}}); }
    void YieldToEvents() override {
        calls.push_back({Call::Yield, {}});
        positions.push_back(anchors_.PosX);
        if (++frames == framesToRun_) anchors_.Running = false;  // as the shut-down does
    }

    std::vector<Call> calls;
    std::vector<std::array<std::int32_t, kAnchorCount>> positions;
    int frames = 0;

private:
    AnchorState& anchors_;
    int framesToRun_;
    float width_, height_;
};

std::vector<Segment> LinesOfFrame(const Recorder& recorder, int frame) {
    std::vector<Segment> lines;
    int current = 0;
    for (const Call& call : recorder.calls) {
        if (call.kind == Call::Yield) ++current;
        if (call.kind == Call::Line && current == frame) lines.push_back(call.segment);
    }
    return lines;
}

TEST(RunAnimation, EachFrameClearsDrawsSixHundredLinesRefreshesThenYields) {
    AnchorState anchors;
    Recorder recorder(anchors, 3);
    UniformRandom random;
    RunAnimation(anchors, recorder, recorder, random, 1);
    ASSERT_EQ(recorder.calls.size(), 3u * 603u);
    for (int frame = 0; frame < 3; ++frame) {
        const auto* calls = &recorder.calls[frame * 603];
        EXPECT_EQ(calls[0].kind, Call::Cls);
        for (int i = 1; i <= 600; ++i) ASSERT_EQ(calls[i].kind, Call::Line);
        EXPECT_EQ(calls[601].kind, Call::Refresh);
        EXPECT_EQ(calls[602].kind, Call::Yield);
    }
    EXPECT_FALSE(anchors.Running);
}

TEST(RunAnimation, AnchorsStartAtTheCentreAndMoveBeforeTheFirstFrame) {
    AnchorState anchors;
    Recorder recorder(anchors, 2, 15359, 8639);
    UniformRandom random;
    RunAnimation(anchors, recorder, recorder, random, 1);
    AnchorState expected;
    UniformRandom same;
    StartAnchors(expected, 15359, 8639, same);
    for (int k = 0; k < kAnchorCount; ++k) {
        EXPECT_EQ(recorder.positions[0][k], 7680 + expected.VelX[k]);
        EXPECT_EQ(recorder.positions[1][k], 7680 + 2 * expected.VelX[k]);
    }
}

TEST(RunAnimation, SameSizeAndSpeedGiveTheSameFramesEveryRun) {
    AnchorState firstAnchors, secondAnchors;
    Recorder first(firstAnchors, 4), second(secondAnchors, 4);
    UniformRandom a, b;
    RunAnimation(firstAnchors, first, first, a, 3);
    RunAnimation(secondAnchors, second, second, b, 3);
    ASSERT_EQ(first.calls.size(), second.calls.size());
    for (std::size_t i = 0; i < first.calls.size(); ++i) {
        const Segment& x = first.calls[i].segment;
        const Segment& y = second.calls[i].segment;
        ASSERT_TRUE(x.x1 == y.x1 && x.y1 == y.y1 && x.x2 == y.x2 && x.y2 == y.y2 && x.rgb == y.rgb) << i;
    }
    // ...and the twist moves between frames.
    EXPECT_NE(LinesOfFrame(first, 0)[599].x2 - LinesOfFrame(first, 0)[599].x1,
              LinesOfFrame(first, 3)[599].x2 - LinesOfFrame(first, 3)[599].x1);
}

TEST(RunAnimation, SpeedZeroKeepsEveryFrameUntwisted) {
    AnchorState anchors;
    Recorder recorder(anchors, 5);
    UniformRandom random;
    RunAnimation(anchors, recorder, recorder, random, 0);
    for (const Call& call : recorder.calls) {
        if (call.kind == Call::Line) {
            ASSERT_EQ(call.segment.y1, call.segment.y2);
        }
    }
}

TEST(RunAnimation, PhaseOverflowEndsTheLoopAfterAFullFrame) {
    struct Case {
        float speed;
        int framesDrawn;
    };
    // 8200: phases 0, 8200, 16400, 24600 are drawn; 32800 does not fit.
    for (const Case& c : {Case{8200, 4}, Case{1e9f, 1}, Case{40000, 1}}) {
        AnchorState anchors;
        Recorder recorder(anchors, -1);
        UniformRandom random;
        EXPECT_THROW(RunAnimation(anchors, recorder, recorder, random, c.speed), RuntimeError) << c.speed;
        EXPECT_EQ(recorder.frames, c.framesDrawn) << c.speed;
        ASSERT_GE(recorder.calls.size(), 2u);
        EXPECT_EQ(recorder.calls[recorder.calls.size() - 2].kind, Call::Refresh);  // the last frame is shown
        EXPECT_TRUE(anchors.Running);  // nobody stopped it: the window still answers keys afterwards
    }
}

TEST(RunAnimation, TinySurfaceStillRuns) {
    AnchorState anchors;
    Recorder recorder(anchors, 50, 0, 0);
    UniformRandom random;
    RunAnimation(anchors, recorder, recorder, random, 1);
    EXPECT_EQ(recorder.frames, 50);
    for (int k = 0; k < kAnchorCount; ++k) {
        EXPECT_LE(std::abs(anchors.PosX[k]), 10);  // bounces around the origin
        EXPECT_LE(std::abs(anchors.PosY[k]), 10);
    }
}

// Draws nothing and records nothing, so only the loop itself could allocate.
class CountingSurface : public DrawingSurface, public EventYield {
public:
    explicit CountingSurface(AnchorState& anchors) : anchors_(anchors) {}
    float ScaleWidth() override { return 28800; }
    float ScaleHeight() override { return 16200; }
    void Cls() override {}
    void Line(float, float, float, float, std::uint32_t) override { ++lines; }
    void Refresh() override {}
    void YieldToEvents() override {
        ++frames;
        if (frames == 2) counting = true;  // the start is done; from here on only frames run
        if (frames == 200) {
            counting = false;
            anchors_.Running = false;
        }
    }
    long lines = 0;
    int frames = 0;

private:
    AnchorState& anchors_;
};

TEST(RunAnimation, FrameLoopAllocatesNothing) {
    allocations = 0;
    AnchorState anchors;
    CountingSurface surface(anchors);
    UniformRandom random;
    RunAnimation(anchors, surface, surface, random, 97);
    EXPECT_EQ(surface.lines, 200L * 600);
    EXPECT_EQ(allocations, 0);
    // The counter itself works.
    counting = true;
    escaped = new std::vector<int>(10);
    counting = false;
    delete escaped;
    EXPECT_GE(allocations, 1);
}

}  // namespace
}  // namespace spindle
