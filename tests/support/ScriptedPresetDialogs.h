#pragma once

#include "presets/PresetDialogs.h"

#include <deque>
#include <functional>

// Stands in for the user: answers the browser's menu, text prompt and yes/no question from
// queued replies and records what was asked. An empty queue answers like a dismissed dialog.
class ScriptedPresetDialogs : public PresetDialogs
{
public:
    using MenuReply = std::function<int (juce::PopupMenu&)>;

    int showMenu (juce::PopupMenu& menu, int visibleItemId) override
    {
        menus.add (describe (menu));
        visibleIds.push_back (visibleItemId);
        if (menuReplies.empty())
            return 0;

        const auto reply = menuReplies.front();
        menuReplies.pop_front();
        return reply (menu);
    }

    int askText (const juce::String& title, const juce::String& message, const juce::String& label, const juce::String& initial, juce::String& text) override
    {
        prompts.add (title + "|" + message + "|" + label + "|" + initial);

        if (textReplies.empty())
            return 0;

        text = textReplies.front();
        textReplies.pop_front();
        return 1;
    }

    int askYesNo (const juce::String& question) override
    {
        questions.add (question);
        if (yesNoReplies.empty())
            return 0;

        const auto reply = yesNoReplies.front();
        yesNoReplies.pop_front();
        return reply;
    }

    // Chooses the item reached through the given sub-menu names and item text, "A/B/Item".
    void chooseItem (const juce::String& route)
    {
        menuReplies.push_back ([route] (juce::PopupMenu& menu)
                               { return findItem (menu, juce::StringArray::fromTokens (route, "/", "")); });
    }

    void chooseId (int id)
    {
        menuReplies.push_back ([id] (juce::PopupMenu&)
                               { return id; });
    }

    void dismissMenu() { chooseId (0); }

    // One line per item, sub-menus indented: "# header", "-", "> folder", "text id", "text id *".
    static juce::StringArray describe (juce::PopupMenu& menu, const juce::String& indent = {})
    {
        juce::StringArray lines;

        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            auto& item = it.getItem();

            if (item.isSectionHeader)
                lines.add (indent + "# " + item.text);
            else if (item.isSeparator)
                lines.add (indent + "-");
            else if (item.subMenu != nullptr)
            {
                lines.add (indent + "> " + item.text);
                lines.addArray (describe (*item.subMenu, indent + "  "));
            }
            else
                lines.add (indent + item.text + " " + juce::String (item.itemID) + (item.isTicked ? " *" : ""));
        }

        return lines;
    }

    std::deque<MenuReply> menuReplies;
    std::deque<juce::String> textReplies;
    std::deque<int> yesNoReplies;

    juce::Array<juce::StringArray> menus;
    std::vector<int> visibleIds;
    juce::StringArray prompts; // "title|message|label|initial"
    juce::StringArray questions;

private:
    static int findItem (juce::PopupMenu& menu, juce::StringArray route)
    {
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            auto& item = it.getItem();

            if (item.text != route[0])
                continue;

            if (route.size() == 1)
                return item.itemID;

            if (item.subMenu != nullptr)
            {
                route.remove (0);
                return findItem (*item.subMenu, route);
            }
        }

        return 0;
    }
};
