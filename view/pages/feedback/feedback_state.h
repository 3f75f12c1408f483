// The FEEDBACK page: the overlay of one channel's mix, the mixes in use and the slot dragged.
#pragma once

#include <cstdint>

struct FeedbackState {
    // Two pieces of state: whether the overlay is open (0 closed, 1 open), and the channel it
    // shows or last showed (-1 none yet). Closing the overlay keeps the channel.
    uint8_t feedbackChannelShown = 0;
    int32_t shownFeedbackChannel = -1;
    int32_t activeFeedbackMixCount = 0;
    int32_t feedbackDragSlot = -1;
};
