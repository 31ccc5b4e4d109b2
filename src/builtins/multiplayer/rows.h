// The multiplayer family, in registration order.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/multiplayer/handlers.h"

inline constexpr BuiltinRow kMultiplayerRows[] = {
    {"mplay_init_ipx", F_MplayInitIpx, 0},
    {"mplay_init_tcpip", F_MplayInitTcpip, 1},
    {"mplay_init_modem", F_MplayInitModem, 2},
    {"mplay_init_serial", F_MplayInitSerial, 5},
    {"mplay_connect_status", F_MplayConnectStatus, 0},
    {"mplay_end", F_MplayEnd, 0},
    {"mplay_session_mode", F_MplaySessionMode, 1},
    {"mplay_session_create", F_MplaySessionCreate, 3},
    {"mplay_session_find", F_MplaySessionFind, 0},
    {"mplay_session_name", F_MplaySessionName, 1},
    {"mplay_session_join", F_MplaySessionJoin, 2},
    {"mplay_session_status", F_MplaySessionStatus, 0},
    {"mplay_session_end", F_MplaySessionEnd, 0},
    {"mplay_player_find", F_MplayPlayerFind, 0},
    {"mplay_player_name", F_MplayPlayerName, 1},
    {"mplay_player_id", F_MplayPlayerId, 1},
    {"mplay_data_write", F_MplayDataWrite, 2},
    {"mplay_data_read", F_MplayDataRead, 1},
    {"mplay_data_mode", F_MplayDataMode, 1},
    {"mplay_message_send", F_MplayMessageSend, 3},
    {"mplay_message_send_guaranteed", F_MplayMessageSendGuaranteed, 3},
    {"mplay_message_receive", F_MplayMessageReceive, 1},
    {"mplay_message_id", F_MplayMessageId, 0},
    {"mplay_message_value", F_MplayMessageValue, 0},
    {"mplay_message_player", F_MplayMessagePlayer, 0},
    {"mplay_message_name", F_MplayMessageName, 0},
    {"mplay_message_count", F_MplayMessageCount, 1},
    {"mplay_message_clear", F_MplayMessageClear, 1},
    {"mplay_ipaddress", F_MplayIpaddress, 0},
};
