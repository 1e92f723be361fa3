// The chart's state between openings, which the plugin keeps: here, for
// the chart's suite, which does not link the plugin.
#include "ChartState.h"

ChartState Chart;
