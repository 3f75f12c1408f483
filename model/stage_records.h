// Stage records: sources, targets, groups, rooms and cables.
#pragma once

#include <string>

struct SourceRecord {
    std::string name;
};
struct TargetRecord {
    std::string name;
};
struct GroupRecord {
    std::string name;
};
struct RoomRecord {
    std::string name;
};
struct CableRecord {};
