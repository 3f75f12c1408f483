// One floating panel.
#pragma once

struct PanelWindow {};
