// Setup's event explorer: generated orders of the user's actions, the clock and file faults, with
// Setup's invariants checked after every step. One property starts with the banner's animation;
// the other where most faults lie, on the destination page, so that as many cases reach the copy.
#include "explorer.h"

#include <vector>

#include "explorer_session.h"
#include "explorer_steps.h"

namespace {

using setup_explorer::Step;

// Runs Setup through the steps given, then through the generated ones.
void explore(const char* name, const std::vector<Step>& first) {
    explore::check(name, [&first] {
        std::vector<Step> steps = first;
        const auto drawn = *rc::gen::container<std::vector<Step>>(setup_explorer::genStep());
        steps.insert(steps.end(), drawn.begin(), drawn.end());
        setup_explorer::Session(steps).run();
    });
}

TEST(SetupExplorer, SetupKeepsItsInvariantsInEveryOrderOfEvents) {
    explore("Setup keeps its invariants in every order of events", {});
}

TEST(SetupExplorer, TheWizardKeepsItsInvariantsFromTheDestinationPageOn) {
    // The banner's animation runs out, and "&Next" on the welcome page.
    Step animation{Step::Kind::wait};
    animation.ms = 60'000;
    explore("the wizard keeps its invariants from the destination page on",
            {animation, Step{Step::Kind::click}});
}

}  // namespace
