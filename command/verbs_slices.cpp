// Slice verbs: store, jump and drift, and the five row verbs through which a patch file gives
// a slice back its members and values.
#include <cstdio>
#include <cstdlib>

#include "app/qx_gui.h"
#include "model/checked_number.h"

namespace {

enum SliceField { kMembersRow, kXRow, kYRow, kSizeRow, kLevelRow };

} // namespace

int32_t QX_GUI::cmdStoreSlice(CliObject command) {
    const int32_t slice = saturatingInt(command.value);
    if (slice < 0 || slice >= 20) {
        console.pendingError = "SLICE INDEX OUT OF RANGE (0-19)";
        return 1;
    }
    storeSlice(slice);
    return 0;
}

int32_t QX_GUI::cmdJumpToSlice(CliObject command) {
    const int32_t slice = saturatingInt(command.value);
    if (slice < 0 || slice >= 20) {
        console.pendingError = "SLICE INDEX OUT OF RANGE (0-19)";
        return 1;
    }
    beginSliceDrift(slice, 0.05f);
    return 0;
}

int32_t QX_GUI::cmdDriftToSlice(CliObject command) {
    if (!command.has(kKeyS)) {
        console.pendingError = "DRIFT TO SLICE : NO DRIFT SPEED SPECIFIED";
        return 1;
    }
    const int32_t slice = saturatingInt(command.value);
    if (slice < 0 || slice >= 20) {
        console.pendingError = "SLICE INDEX OUT OF RANGE (0-19)";
        return 1;
    }
    // A speed that never advances would leave the drift running for ever.
    if (!(command.named(kKeyS) > 0.0f)) {
        console.pendingError = "DRIFT TO SLICE : NO DRIFT SPEED SPECIFIED";
        return 1;
    }
    beginSliceDrift(slice, command.named(kKeyS));
    return 0;
}

int32_t QX_GUI::readSliceRow(const CliObject& command, int32_t field) {
    if (!command.has(kKeyX) || !command.has(kKeyS)) {
        console.pendingError = "SLICE INPUT -> NOSLICE INDEX OR NUMBER OF MEMBERS";
        return 1;
    }
    const int32_t sliceNumber = saturatingInt(command.named(kKeyS));
    const int32_t n = saturatingInt(command.named(kKeyX));
    if (sliceNumber < 1 || sliceNumber > 20 || n < 0 || n > SliceRecord::kMembers) {
        console.pendingError = "SLICE INPUT -> SLICE INDEX (1-20) OR MEMBERS (0-64) OUT OF RANGE";
        return 1;
    }
    const int32_t slice = sliceNumber - 1;
    splitTokens(command.commandString, '\t');
    SliceRecord& record = slices[slice];
    char line[96];
    for (int32_t k = 0; k < tokenCount && k <= n; ++k) {
        const std::string& token = tokens[k];
        if (field == kMembersRow) {
            if (token == "S1") {
                std::snprintf(line, sizeof line, "S1 FOUnd AT COunTER : %i", k);
                appendConsoleLine(line);
            }
            if (findItemIndexByName(token) < 0) {
                std::snprintf(line, sizeof line, "ROGUE INDEX AT ARRAY POSITION : %i", k);
                appendConsoleLine(line);
                appendConsoleLine(token);
            }
        }
        if (k == 0) continue; // the head: verb and named values
        const float number = static_cast<float>(std::atof(token.c_str()));
        switch (field) {
        case kMembersRow:
            // Only a source can be a member; any other name moves nothing.
            record.sourceIndex[k - 1] =
                findItemKindByName(token) == 1 ? findItemIndexByName(token) : -1;
            break;
        case kXRow:
            record.x[k - 1] = number;
            break;
        case kYRow:
            record.y[k - 1] = number;
            break;
        case kSizeRow:
            record.size[k - 1] = number;
            break;
        case kLevelRow:
            record.level[k - 1] = number;
            break;
        default:
            break;
        }
    }
    if (field == kMembersRow) {
        std::snprintf(line, sizeof line, "COUNTER GOT AS FAR AS %i", tokenCount);
        appendConsoleLine(line);
    }
    record.memberCount = n;
    raiseSendFlag(kSendSlices);
    return 0;
}

int32_t QX_GUI::cmdSliceMembers(CliObject command) {
    return readSliceRow(command, kMembersRow);
}
int32_t QX_GUI::cmdSliceRowX(CliObject command) {
    return readSliceRow(command, kXRow);
}
int32_t QX_GUI::cmdSliceRowY(CliObject command) {
    return readSliceRow(command, kYRow);
}
int32_t QX_GUI::cmdSliceRowS(CliObject command) {
    return readSliceRow(command, kSizeRow);
}
int32_t QX_GUI::cmdSliceRowL(CliObject command) {
    return readSliceRow(command, kLevelRow);
}
