#include "SizeSettler.h"

#include <cmath>

namespace
{
// The nearest allowed size: bring the box within the limits, as the constrainer does first, then
// take the largest size at the fixed ratio that fits inside it. From a size on the ratio the
// constrainer would instead keep the side that moved more and could grow past the box; fitting
// inside is what JUCE's VST3 view answers to the host's size check (single precision, rounded up to
// whole pixels), so a host that checks first and one that just sets a size end alike, and the editor
// never overhangs the host's window. Every size the constrainer gives a drag of the corner is left
// as it is, so the sizes earlier sessions stored open unchanged.
juce::Rectangle<int> settledSize (const juce::ComponentBoundsConstrainer& constrainer, juce::Rectangle<int> offered)
{
    auto width = juce::jlimit ((float) constrainer.getMinimumWidth(), (float) constrainer.getMaximumWidth(), (float) offered.getWidth());
    auto height = juce::jlimit ((float) constrainer.getMinimumHeight(), (float) constrainer.getMaximumHeight(), (float) offered.getHeight());
    const auto ratio = (float) constrainer.getFixedAspectRatio();

    // While the editor is being built the ratio may not be set yet; the limits still hold.
    if (ratio > 0.0f)
    {
        if (width / height > ratio)
            width = height * ratio;
        else
            height = width / ratio;
    }

    return { (int) std::ceil (width), (int) std::ceil (height) };
}
} // namespace

SizeSettler::SizeSettler (juce::AudioProcessorEditor& e)
    : editor (e)
{
}

SizeSettler::~SizeSettler()
{
    cancelPendingUpdate();
}

bool SizeSettler::settle()
{
    // The editor's own change of size below: its resized() lays out the children.
    if (settingOwnSize)
        return false;

    const auto offered = editor.getLocalBounds();
    const auto* constrainer = editor.getConstrainer();

    if (constrainer == nullptr)
        return false;

    const auto settled = settledSize (*constrainer, offered);

    // Every other size offered starts a count of its own, so a size offered again after any other is
    // answered afresh. A size on the ratio does so only once the host has followed the last request:
    // a host may answer a request with a size a pixel off it and then put its own size back.
    if (offered != lastOffer && (settled != offered || hostFollowed))
    {
        lastOffer = offered;
        requestsForLastOffer = 0;
    }

    if (settled == offered)
        return false;

    {
        const juce::ScopedValueSetter<bool> ownSize (settingOwnSize, true);
        editor.setSize (settled.getWidth(), settled.getHeight());
    }

    // Without a parent there is no host window yet; it takes the editor's size when it embeds it.
    // The same size offered again after the host followed the request comes from its window
    // manager, as during and at the end of a drag of the border, and is asked for again. A host that
    // puts its size back without following insists on it and is not asked again; and no size offered
    // over and over is answered more than maxRequestsPerOffer times, so the two never take turns
    // resizing each other for ever.
    const auto mayAsk = requestsForLastOffer == 0 || (hostFollowed && requestsForLastOffer < maxRequestsPerOffer);

    if (editor.getParentComponent() != nullptr && mayAsk)
    {
        ++requestsForLastOffer;
        hostFollowed = false;
        triggerAsyncUpdate();
    }

    return true;
}

void SizeSettler::parentResized()
{
    // JUCE's VST3 view sizes the editor itself when the host's window offers a size, but not when
    // the host follows a request: then only the area around the editor changes, to the editor's.
    if (auto* parent = editor.getParentComponent())
        hostFollowed = parent->getLocalArea (&editor, editor.getLocalBounds()) == parent->getLocalBounds();
}

void SizeSettler::handleAsyncUpdate()
{
    // JUCE's VST3 view passes a change of the editor's bounds on to the host's window, except while
    // it sizes the editor itself, as it does when the host's window offered the size; so the news
    // goes out once that is over.
    if (auto* parent = editor.getParentComponent())
        parent->childBoundsChanged (&editor);
}
