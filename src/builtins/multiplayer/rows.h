// The multiplayer family, in registration order.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/multiplayer/handlers.h"

inline constexpr BuiltinRow kMultiplayerRows[] = {
    {"mplay_init_ipx", F_MplayInitIpx, 0, "", "bool: 1 when connected",
     "Would open an IPX connection; answers 0 because this system has no network transport for games."},
    {"mplay_init_tcpip", F_MplayInitTcpip, 1, "addr", "bool: 1 when connected",
     "Would open a TCP/IP connection to the address text; answers 0 because this system has no network transport for "
     "games."},
    {"mplay_init_modem", F_MplayInitModem, 2, "phonenr, initstr", "bool: 1 when connected",
     "Would dial the phone number text with the modem set up by initstr; answers 0 because this system has no network "
     "transport for games."},
    {"mplay_init_serial", F_MplayInitSerial, 5, "portno, baudrate, stopbits, parity, flow", "bool: 1 when connected",
     "Would open a serial-cable connection with the rounded settings; answers 0 because this system has no network "
     "transport for games."},
    {"mplay_connect_status", F_MplayConnectStatus, 0, "", "real: the connection's state, 0 for none",
     "Always 0 here, since no connection can be made."},
    {"mplay_end", F_MplayEnd, 0, "", "nothing", "Would close the connection; does nothing here."},
    {"mplay_session_mode", F_MplaySessionMode, 1, "move", "nothing",
     "Whether the host's role may pass to another player when the host leaves; the value is rounded, so 0.6 turns it "
     "on. It is kept but nothing reads it here."},
    {"mplay_session_create", F_MplaySessionCreate, 3, "sesname, playnumb, playername", "bool: 1 when made",
     "Would open a session of that name for at most playnumb players, joined as playername; answers 0 here."},
    {"mplay_session_find", F_MplaySessionFind, 0, "", "real: the number of sessions found",
     "Would look for open sessions; always 0 here."},
    {"mplay_session_name", F_MplaySessionName, 1, "numb", "string: the session's name, empty when there is none",
     "Names the numb-th session found; always the empty string here."},
    {"mplay_session_join", F_MplaySessionJoin, 2, "numb, playername", "bool: 1 when joined",
     "Would join the numb-th session found as playername; answers 0 here."},
    {"mplay_session_status", F_MplaySessionStatus, 0, "", "real: the session's state, 0 for none",
     "Always 0 here, since no session can be made or joined."},
    {"mplay_session_end", F_MplaySessionEnd, 0, "", "nothing", "Would leave the session; does nothing here."},
    {"mplay_player_find", F_MplayPlayerFind, 0, "", "real: the number of players found",
     "Would list the players of the session; always 0 here."},
    {"mplay_player_name", F_MplayPlayerName, 1, "numb", "string: the player's name, empty when there is none",
     "Names the numb-th player found; always the empty string here."},
    {"mplay_player_id", F_MplayPlayerId, 1, "numb", "real: the player's id, 0 when there is none",
     "The id of the numb-th player found, for sending messages; always 0 here."},
    {"mplay_data_write", F_MplayDataWrite, 2, "ind, value", "bool: 1 when written",
     "Would store a real or string in the session's shared slot ind for every player; answers 0 here."},
    {"mplay_data_read", F_MplayDataRead, 1, "ind", "any: the value in the shared slot, 0 when there is none",
     "Reads the session's shared slot ind; always 0 here."},
    {"mplay_data_mode", F_MplayDataMode, 1, "guar", "nothing",
     "Whether shared data is sent so that it is never lost; rounded, so 0.6 turns it on. It is kept but nothing reads "
     "it here."},
    {"mplay_message_send", F_MplayMessageSend, 3, "player, id, value", "bool: 1 when sent",
     "Would send message id with a real or string value to the player, named by id or by name text; answers 0 here."},
    {"mplay_message_send_guaranteed", F_MplayMessageSendGuaranteed, 3, "player, id, value", "bool: 1 when sent",
     "As `mplay_message_send`, with delivery that is never lost; answers 0 here."},
    {"mplay_message_receive", F_MplayMessageReceive, 1, "player", "bool: 1 when a message was taken",
     "Would take the next waiting message from the player, named by id or by name text, as the current message; "
     "answers 0 here."},
    {"mplay_message_id", F_MplayMessageId, 0, "", "real: the current message's id",
     "The id of the message last received; 0 here, since none arrives."},
    {"mplay_message_value", F_MplayMessageValue, 0, "", "any: the current message's value",
     "The real or string the message last received carried; 0 here, since none arrives."},
    {"mplay_message_player", F_MplayMessagePlayer, 0, "", "real: the sender's id",
     "The id of the player who sent the message last received; 0 here, since none arrives."},
    {"mplay_message_name", F_MplayMessageName, 0, "", "string: the sender's name",
     "The name of the player who sent the message last received, or `(unknown)` when the player list does not hold it, "
     "as always here."},
    {"mplay_message_count", F_MplayMessageCount, 1, "player", "real: how many messages wait",
     "Counts the messages waiting from the player; always 0 here."},
    {"mplay_message_clear", F_MplayMessageClear, 1, "player", "nothing",
     "Would throw away the messages waiting from the player; does nothing here."},
    {"mplay_ipaddress", F_MplayIpaddress, 0, "", "string: this machine's address, empty when there is none",
     "Always the empty string here, since no connection is made."},
};
