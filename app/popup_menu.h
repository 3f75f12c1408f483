// Popup menus and the user menus read from the user menu file.
#pragma once

struct PopupMenu {};
struct NamedStringList {};
