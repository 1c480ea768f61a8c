#include "editor/panels/EchoPanel.h"
#include "editor/panels/MasterPanel.h"
#include "editor/panels/TonePanel.h"
#include "PanelTestSupport.h"

#include <functional>

namespace
{
using namespace panel_test;
using P = PluginParameters;

std::vector<float> parameterValues (WarbloomAudioProcessor& processor)
{
    std::vector<float> values;
    for (auto* parameter : processor.getParameters())
        values.push_back (parameter->getValue());
    return values;
}

juce::MouseEvent mouseAt (juce::Slider& slider, juce::ModifierKeys mods, int clicks)
{
    const auto now = juce::Time::getCurrentTime();
    const auto centre = slider.getLocalBounds().getCentre().toFloat();
    return { juce::Desktop::getInstance().getMainMouseSource(), centre, mods, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, &slider, &slider, now, centre, now, clicks, false };
}

// A click with alt held and no movement, JUCE's default modifier for a reset.
void altClick (juce::Slider& slider)
{
    const auto event = mouseAt (slider, juce::ModifierKeys (juce::ModifierKeys::altModifier | juce::ModifierKeys::leftButtonModifier), 1);
    slider.mouseDown (event);
    slider.mouseUp (event);
    deliverPendingMessages();
}

void doubleClick (juce::Slider& slider)
{
    slider.mouseDoubleClick (mouseAt (slider, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier), 2));
    deliverPendingMessages();
}

// The knobs and sliders of a panel in the order it adds them, with what each is called.
std::vector<std::pair<juce::Slider*, juce::String>> slidersOf (juce::Component& panel)
{
    std::vector<std::pair<juce::Slider*, juce::String>> sliders;
    for (int i = 0; i < panel.getNumChildComponents(); ++i)
    {
        auto* component = panel.getChildComponent (i);
        if (auto* labeled = dynamic_cast<LabeledKnob*> (component))
            sliders.emplace_back (labeled->knob, labeled->name);
        else if (auto* slider = dynamic_cast<BasicSlider*> (component))
            sliders.emplace_back (slider, "slider " + juce::String (i));
    }
    return sliders;
}

struct PanelUnderTest
{
    const char* name;
    std::function<std::unique_ptr<juce::Component> (WarbloomAudioProcessor&)> make;
    int expectedSliders;
    bool sliderResets; // false for the Freakout fader, which has no double-click value
};

template <typename Panel>
std::unique_ptr<juce::Component> make (WarbloomAudioProcessor& processor)
{
    return std::make_unique<Panel> (&processor);
}

// Every knob, the WAVE SHIFT slider and the Freakout fader.
const PanelUnderTest panels[] = {
    { "tone", make<TonePanel>, 14, true },
    { "echo", make<EchoPanel>, 8, true },
    { "master", make<MasterPanel>, 4, false },
};

// HOLD on, so a released Freakout fader stays where it is.
void holdFreakout (WarbloomAudioProcessor& processor)
{
    setFromHost (processor, P::freakoutLatchID, 1.0f);
    deliverPendingMessages();
}
} // namespace

TEST (SliderClicks, AltClickLeavesEveryKnobAndSliderWhereTheUserSetIt)
{
    for (const auto& p : panels)
    {
        WarbloomAudioProcessor processor;
        const auto panel = p.make (processor);
        holdFreakout (processor);
        const auto sliders = slidersOf (*panel);
        ASSERT_EQ ((int) sliders.size(), p.expectedSliders) << p.name;

        for (const auto& [slider, what] : sliders)
        {
            slider->setValue (slider->proportionOfLengthToValue (0.37), juce::sendNotificationSync);
            const auto edited = slider->getValue();
            ASSERT_NE (edited, slider->getDoubleClickReturnValue()) << what;
            const auto before = parameterValues (processor);

            altClick (*slider);
            EXPECT_EQ (slider->getValue(), edited) << p.name << ": " << what;
            EXPECT_EQ (parameterValues (processor), before) << p.name << ": " << what;
        }
    }
}

TEST (SliderClicks, DoubleClickReturnsOnlyItsOwnParameterToItsDefault)
{
    for (const auto& p : panels)
    {
        WarbloomAudioProcessor processor;
        const auto panel = p.make (processor);

        for (const auto& [slider, what] : slidersOf (*panel))
        {
            if (dynamic_cast<BasicSlider*> (slider) != nullptr && ! p.sliderResets)
                continue;

            slider->setValue (slider->proportionOfLengthToValue (0.37), juce::sendNotificationSync);
            const auto before = parameterValues (processor);

            doubleClick (*slider);
            const auto after = parameterValues (processor);
            const auto& parameters = processor.getParameters();
            int changed = 0;
            for (int i = 0; i < parameters.size(); ++i)
            {
                if (after[(size_t) i] == before[(size_t) i])
                    continue;
                ++changed;
                EXPECT_NEAR (after[(size_t) i], parameters[i]->getDefaultValue(), 1.0e-6f) << p.name << ": " << what;
            }
            EXPECT_EQ (changed, 1) << p.name << ": " << what;
        }
    }
}

TEST (SliderClicks, HeldFreakoutSurvivesDoubleAndAltClicks)
{
    WarbloomAudioProcessor processor;
    MasterPanel panel (&processor);
    auto& fader = child<BasicSlider> (panel, 3);

    holdFreakout (processor);
    setFromHost (processor, P::freakoutID, 40.0f);
    deliverPendingMessages();
    ASSERT_DOUBLE_EQ (fader.getValue(), 40.0);

    doubleClick (fader);
    EXPECT_DOUBLE_EQ (fader.getValue(), 40.0);
    EXPECT_FLOAT_EQ (valueOf (processor, P::freakoutID), 40.0f);

    altClick (fader);
    EXPECT_DOUBLE_EQ (fader.getValue(), 40.0);
    EXPECT_FLOAT_EQ (valueOf (processor, P::freakoutID), 40.0f);
}
