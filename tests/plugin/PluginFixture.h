// Shared set-up for the tests of the entry points: every unit back to load
// time, and the host's record taken in through the export SetStartupInfo.
#ifndef QUORREL_TESTS_PLUGIN_FIXTURE_H
#define QUORREL_TESTS_PLUGIN_FIXTURE_H

#include "ChartFixture.h"
#include "Exports.h"
#include "Help.h"
#include "OptionsDialog.h"
#include "StartUp.h"

class PluginTest : public ChartTest {
protected:
    void StartWith(const PluginStartupInfo *Info) override { SetStartupInfo(Info); }
};

#endif
