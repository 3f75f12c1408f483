// The user menus read from USER_MENU.txt and the popup menus filled from them.
#include "app/bounded_text_file.h"
#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/runtime.h"

UserMenuTable QX_GUI::loadUserMenu(const std::string& fileName) {
    UserMenuTable table;
    const std::u16string path = modulePathWide(fileName);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return table;
    const TextFileRead file = readTextFile(qxplatform::narrow(path));
    for (const std::string& note : file.notes) appendConsoleLine(note);
    int32_t current = 0;
    int32_t line = 0;
    // Menus and lines past the table's 100 x 100 are ignored.
    for (std::string text : file.lines()) {
        while (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text.find(';') != std::string::npos ||
            text.find('#') != std::string::npos)
            continue;
        splitTokens(text, '|');
        if (tokens[0] == "MENU") {
            if (current < 100) {
                table.menus[current].name = tokenCount > 1 ? tokens[1] : std::string();
                table.menus[current].itemCount = 0;
            }
            line = 0;
        } else if (tokens[0] == "/MENU") {
            if (current < 100) table.count = current + 1;
            line = 0;
            ++current;
        } else if (current < 100 && line < 100) {
            table.menus[current].items[line++] = text;
            table.menus[current].itemCount = line;
        }
    }
    return table;
}

PopupMenu QX_GUI::fillPopupMenuFromUserMenu(const std::string& menuName) {
    PopupMenu menu;
    int32_t found = -1;
    for (int32_t i = 0; i < userMenuCount && i < 100; ++i)
        if (userMenus[i].name == menuName) found = i;
    if (found < 0) return menu;
    const NamedStringList& list = userMenus[found];
    for (int32_t i = 0; i < list.itemCount && i < 100; ++i) {
        splitTokens(list.items[i], '|');
        menu.labels[menu.itemCount] = tokens[0];
        if (tokenCount < 3) {
            menu.commands[menu.itemCount] = tokenCount > 1 ? toUpperCopy(tokens[1]) : "";
            menu.flags[menu.itemCount] = 0;
        } else {
            menu.commands[menu.itemCount] = toUpperCopy(tokens[2]);
            menu.flags[menu.itemCount] = 1;
        }
        ++menu.itemCount;
    }
    return menu;
}
