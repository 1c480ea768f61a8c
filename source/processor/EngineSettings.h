#pragma once

#include "EchoEngine.h"
#include "PluginParameters.h"
#include "ToneEngine.h"

// The block's snapshot of the value fields for each section. The tone settings' wave shift is
// left at its default; the block frame sets it from its own snapshot.
ToneSettings readToneSettings (const PluginParameters& parameters);
EchoSettings readEchoSettings (const PluginParameters& parameters);
