// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/demoscript.h"

#include <initializer_list>

namespace kelvara {
namespace {

using enum DemoAction;
using enum DemoControl;

constexpr double funnelPause = 0.5;
constexpr double highlightSeconds = 2.0;

DemoStep caption(int index) { return {Caption, None, double(index)}; }
DemoStep setText(DemoControl box, const char *text) { return {SetText, box, 0, QString::fromLatin1(text)}; }
DemoStep tick(DemoControl box) { return {Tick, box}; }
DemoStep clear(DemoControl box) { return {Clear, box}; }
DemoStep speed(int position) { return {Speed, None, double(position)}; }
DemoStep wait(double seconds) { return {Wait, None, seconds}; }
DemoStep highlight(DemoControl box) { return {Highlight, box, highlightSeconds}; }

const DemoStep hidePanel{HidePanel};
const DemoStep run{Run};
const DemoStep reset{Reset};
const DemoStep emptyBaffle{EmptyBaffle};

class ScriptWriter {
public:
    ScriptWriter &add(std::initializer_list<DemoStep> steps)
    {
        m_steps.insert(m_steps.end(), steps);
        return *this;
    }

    /// The funnel moves one slot at a time, with a pause to watch each move.
    ScriptWriter &moveFunnel(DemoAction direction, int moves)
    {
        for (int i = 0; i < moves; ++i)
            add({{direction}, wait(funnelPause)});
        return *this;
    }

    /// Two single subgroups stopped on the baffle, each let down in its turn.
    ScriptWriter &fillAndEmptyBaffleTwice()
    {
        for (int i = 0; i < 2; ++i)
            add({run, wait(1), emptyBaffle, wait(1)});
        return *this;
    }

    std::vector<DemoStep> steps() const { return m_steps; }

private:
    std::vector<DemoStep> m_steps;
};

std::vector<DemoStep> writeScript()
{
    ScriptWriter script;
    // The ball source: a first Run with the user's own drop count, then two
    // distributions from two funnel positions, and the funnel back home.
    script.add({caption(1), caption(2), hidePanel, tick(Animation), run, caption(3), hidePanel})
        .moveFunnel(FunnelLeft, 5)
        .add({setText(DropCount, "1"), run, setText(DropCount, "10"), clear(Animation), run})
        .moveFunnel(FunnelRight, 10)
        .add({setText(DropCount, "1"), tick(Animation), run, setText(DropCount, "10"), clear(Animation), run})
        .moveFunnel(FunnelLeft, 5);

    // The pin array: single balls with their trace, then many rows against few.
    script.add({caption(4), hidePanel, caption(5), hidePanel})
        .add({setText(DropCount, "1"), tick(Animation), tick(Trace), speed(5), run, speed(3), run})
        .add({caption(6), hidePanel, setText(DropCount, "10"), clear(Animation), run})
        .add({caption(7), hidePanel, reset, setText(Rows, "20"), tick(Animation), setText(DropCount, "1"), run,
              clear(Animation), setText(DropCount, "10"), run})
        .add({caption(8), hidePanel, reset, setText(Rows, "5"), tick(Animation), setText(DropCount, "1"), run,
              clear(Animation), setText(DropCount, "10"), run});

    // The baffle, and the settings that shape a control chart.
    script.add({caption(9), hidePanel, tick(Baffle), tick(Animation), setText(DropCount, "1")})
        .fillAndEmptyBaffleTwice()
        .add({clear(Baffle), wait(1), reset})
        .add({caption(10), highlight(Rows), highlight(SubgroupSize), highlight(ControlLimits), hidePanel})
        .add({caption(11), hidePanel});

    // A control chart catching a shift of the process centre.
    script.add({setText(Rows, "20"), reset, {PlaceCharts}, {ShowCharts}})
        .add({setText(DropCount, "2"), tick(Animation), run, setText(DropCount, "18"), run})
        .moveFunnel(FunnelLeft, 4)
        .add({tick(Baffle), setText(DropCount, "1")})
        .fillAndEmptyBaffleTwice()
        .add({clear(Baffle), setText(DropCount, "3"), clear(Animation), run})
        .moveFunnel(FunnelRight, 8)
        .add({tick(Baffle), setText(DropCount, "1")})
        .fillAndEmptyBaffleTwice()
        .add({clear(Baffle), setText(DropCount, "3"), clear(Animation), run, wait(2), {HideCharts}});

    // Less variation seen on the R chart. The baffle is not shown here, so
    // its two emptyings find it empty.
    script.add({caption(12), hidePanel, setText(Rows, "5"), {ShowCharts}, setText(DropCount, "1"), run, wait(1),
                emptyBaffle, run, wait(1), emptyBaffle, clear(Baffle), setText(DropCount, "3"), clear(Animation), run,
                wait(2), {HideCharts}, {ResetCharts}});

    // The farewell, and the settings back as the program starts.
    script.add({caption(13), {Finish}, setText(DropCount, "1"), setText(SubgroupSize, "5"),
                setText(ControlLimits, "20"), setText(Rows, "20"), reset});
    return script.steps();
}

} // namespace

const std::vector<DemoStep> &demoScript()
{
    static const std::vector<DemoStep> script = writeScript();
    return script;
}

} // namespace kelvara
