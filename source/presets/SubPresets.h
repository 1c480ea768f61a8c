#pragma once

// Kinds of a sub-preset entry: how the file code and the randomiser treat the parameter.
namespace SubPresetKind
{
constexpr int randomised = 0;
constexpr int notRandomised = 256;
constexpr int placeholder = 1024;
constexpr int hiddenBit = 0x8000;
constexpr int endOfList = 255;
constexpr int notRandomisedMask = 0x8500;
} // namespace SubPresetKind

// The table holds plain character data with nothing to destroy: a message thread may still read
// it (a randomise click) while the module's statics are torn down at exit.
struct SubPresetEntry
{
    int kind = SubPresetKind::randomised;
    const char* parameterID = "";
};

// One sub-preset group: its files live in `folder` with `extension`; `entries` is the file
// layout, ended by an entry of kind SubPresetKind::endOfList.
struct SubPresetST
{
    const char* title = "";
    const char* folder = "";
    const char* extension = "";
    SubPresetEntry entries[100];
};

constexpr int numSubPresetGroups = 20;
constexpr int numSubPresetEntries = 100;

// Joins every preset path.
extern const char directorySeperator[];

// Groups 0 to 3 are filled; the rest are empty and must not be used.
extern const SubPresetST SubPresets[numSubPresetGroups];

// The empty entry that brackets each folder's file block in the browser's path list.
extern const char pmDummy[];
