#include "Subjects.h"

#include "editor/controls/BasicButton.h"
#include "editor/controls/BasicComboBox.h"
#include "editor/controls/DecibelKnob.h"
#include "editor/controls/LabeledKnob.h"
#include "editor/looks/ButtonLooks.h"
#include "editor/looks/ComboLookAndFeel.h"
#include "editor/looks/FaderLooks.h"
#include "editor/looks/KnobLooks.h"
#include "editor/looks/LabelLooks.h"
#include "editor/Populations.h"
#include "processor/WarbloomAudioProcessor.h"

namespace
{
// A control filling its holder, drawn with a shared look.
template <typename Look, typename Control>
struct Styled : juce::Component
{
    template <typename... Args>
    explicit Styled (Args&&... args)
        : control (std::forward<Args> (args)...)
    {
        control.setLookAndFeel (&look.get());
        addAndMakeVisible (control);
    }

    ~Styled() override { control.setLookAndFeel (nullptr); }

    void resized() override { control.setBounds (getLocalBounds()); }

    juce::SharedResourcePointer<Look> look;
    Control control;
};

template <typename Look, typename Control, typename Prepare, typename... Args>
std::function<std::unique_ptr<juce::Component>()> styled (Prepare prepare, Args... args)
{
    return [=]
    {
        auto holder = std::make_unique<Styled<Look, Control>> (args...);
        prepare (holder->control);
        return std::unique_ptr<juce::Component> (std::move (holder));
    };
}

auto buttonWithText (const char* text, bool on)
{
    return [=] (juce::Button& b)
    {
        b.setButtonText (text);
        b.setToggleState (on, juce::dontSendNotification);
    };
}

auto knobAt (double proportion)
{
    return [=] (juce::Slider& s)
    { s.setValue (s.proportionOfLengthToValue (proportion), juce::dontSendNotification); };
}

auto fader()
{
    return [] (juce::Slider& s)
    {
        s.setSliderStyle (juce::Slider::LinearHorizontal);
        s.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        s.setRange (0.0, 100.0);
        s.setValue (40.0, juce::dontSendNotification);
        s.setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (0xFF559CC1));
    };
}

struct LabeledKnobSubject : juce::Component
{
    LabeledKnobSubject()
    {
        knob.setLookAndFeel (&knobLook.get());
        labeled.setLookAndFeel (&labelLook.get());
        knob.setValue (-6.0, juce::dontSendNotification);
        addAndMakeVisible (labeled);
    }

    ~LabeledKnobSubject() override
    {
        knob.setLookAndFeel (nullptr);
        labeled.setLookAndFeel (nullptr);
    }

    void resized() override { labeled.setBounds (getLocalBounds()); }

    juce::SharedResourcePointer<BasicLookAndFeel> knobLook;
    juce::SharedResourcePointer<KnobLabelLookAndFeel> labelLook;
    DecibelKnob knob { -100.0f, 12.0f, "dB" };
    LabeledKnob labeled { "OUTPUT", knob };
};

// Whatever editor the processor makes, at the size it opens with.
struct EditorSubject : juce::Component
{
    EditorSubject()
        : editor (processor.createEditor())
    {
        setSize (editor->getWidth(), editor->getHeight());
        addAndMakeVisible (*editor);
    }

    void resized() override { editor->setBounds (getLocalBounds()); }

    WarbloomAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
};
} // namespace

const std::vector<Subject>& subjects()
{
    static const std::vector<Subject> all {
        { "button", 80, 20, styled<ButtonLookAndFeel, BasicButton> (buttonWithText ("SAVE", false)) },
        { "button-on", 80, 20, styled<ButtonLookAndFeel, BasicButton> (buttonWithText ("LINK", true)) },
        { "orange-button", 40, 20, styled<OrangeButtonLookAndFeel, BasicButton> (buttonWithText ("", true)) },
        { "combo", 70, 18, styled<ComboLookAndFeel, BasicComboBox> ([] (juce::ComboBox& box)
                                                                    {
                                                                        Populations::populateEchoRateComboBox (box);
                                                                        box.setSelectedId (8, juce::dontSendNotification); }) },
        { "knob", 100, 72, styled<BasicLookAndFeel, BasicKnob> (knobAt (0.3), 0.0f, 1.0f, juce::String()) },
        { "red-knob", 100, 72, styled<RedKnobLookAndFeel, BasicKnob> (knobAt (0.7), 0.0f, 1.0f, juce::String()) },
        { "labeled-knob", 70, 100, []
          { return std::make_unique<LabeledKnobSubject>(); } },
        { "fader", 240, 60, styled<FaderLookAndFeel, juce::Slider> (fader()) },
        { "freakout", 240, 60, styled<FreakoutLookAndFeel, juce::Slider> (fader()) },
        { "editor", 0, 0, []
          { return std::make_unique<EditorSubject>(); } },
    };
    return all;
}
