// Popup menus and the user menus read from the user menu file.
#pragma once

#include <cstdint>
#include <string>

// One user menu: its name and its lines as read.
struct NamedStringList {
    std::string name;
    std::string items[100];
    int32_t itemCount = 0;
};

// The whole user-menu table as the loader returns it.
struct UserMenuTable {
    NamedStringList menus[100];
    int32_t count = 0;
};

// One menu of the popup cascade.
struct PopupMenu {
    uint8_t open = 0;
    int32_t parentRow = -1;
    std::string parentName = "NO_PARENT";
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 60;
    int32_t height = 10;
    int32_t itemCount = 0;
    std::string labels[100];
    int32_t flags[100] = {};
    std::string commands[100];
};
