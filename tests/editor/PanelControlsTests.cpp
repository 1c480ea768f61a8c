#include "editor/controls/LabeledKnob.h"
#include "editor/panels/PanelControls.h"
#include "PanelTestSupport.h"

namespace
{
using namespace panel_test;
using P = PluginParameters;

// A row built from an identifier that goes out of scope before the row is attached, as a panel
// that worked out its identifiers would pass them.
PanelControl echoMixRow (BasicKnob& knob, LabeledKnob& labeled, juce::LookAndFeel& look)
{
    const juce::String id (P::echoMixID.toStdString());
    return knobRow (knob, labeled, P::echoMixDefault, look, look, &P::echoMixAttachment, id, { 0, 0, 48, 48 });
}
} // namespace

TEST (PanelControls, ARowKeepsItsParameterIdentifier)
{
    WarbloomAudioProcessor processor;
    BasicKnob knob { 0.0f, 100.0f, P::echoMixLabel };
    LabeledKnob labeled { P::echoMixName, knob };
    juce::LookAndFeel_V4 look;
    const PanelControls rows { echoMixRow (knob, labeled, look) };

    juce::Component panel;
    setUpControls (panel, rows);
    attachControls (rows, processor.pluginParameters, processor.apvts);
    knob.setValue (12.0, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (valueOf (processor, P::echoMixID), 12.0f);

    processor.pluginParameters.detachEchoControls();
    releaseLooks (rows);
}
