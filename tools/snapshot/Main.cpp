// Writes PNGs of the editor's controls, or of the whole editor, at 1x and 2x their size, for a
// person to look at. The 2x picture lays the component out at twice the size rather than
// magnifying the 1x one, as a larger editor window would.
//
//   warbloom-snapshot <folder> [subject...]   all subjects when none is named
//   warbloom-snapshot --list

#include "editor/support/ComponentImage.h"
#include "editor/support/FrameworkSplash.h"
#include "Subjects.h"
#include "support/ScratchPresetRoot.h"

#include <cstdio>

namespace
{
const Subject* findSubject (const juce::String& name)
{
    for (const auto& subject : subjects())
        if (name == subject.name)
            return &subject;
    return nullptr;
}

bool snapshot (const Subject& subject, const juce::File& folder)
{
    auto component = subject.make();
    const auto width = subject.width > 0 ? subject.width : component->getWidth();
    const auto height = subject.height > 0 ? subject.height : component->getHeight();

    for (const int scale : { 1, 2 })
    {
        const auto file = folder.getChildFile (juce::String (subject.name) + "@" + juce::String (scale) + "x.png");
        if (! ComponentImage::writePng (ComponentImage::paint (*component, width * scale, height * scale), file))
        {
            std::fprintf (stderr, "cannot write %s\n", file.getFullPathName().toRawUTF8());
            return false;
        }
        std::printf ("%s\n", file.getFullPathName().toRawUTF8());
    }
    return true;
}
} // namespace

int main (int argc, char** argv)
{
    const ScratchPresetRoot presetRoot;
    const juce::ScopedJuceInitialiser_GUI juce;

    if (argc == 2 && juce::String (argv[1]) == "--list")
    {
        for (const auto& subject : subjects())
            std::printf ("%s\n", subject.name);
        return 0;
    }

    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s <folder> [subject...] | --list\n", argv[0]);
        return 2;
    }

    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    std::vector<const Subject*> chosen;
    for (int i = 2; i < argc; ++i)
    {
        const auto* subject = findSubject (argv[i]);
        if (subject == nullptr)
        {
            std::fprintf (stderr, "unknown subject %s (see --list)\n", argv[i]);
            return 2;
        }
        chosen.push_back (subject);
    }

    if (chosen.empty())
        for (const auto& subject : subjects())
            chosen.push_back (&subject);

    // The pictures show the editor as it stays, without JUCE's passing splash.
    FrameworkSplash::waitOut();

    for (const auto* subject : chosen)
        if (! snapshot (*subject, folder))
            return 1;

    return 0;
}
