#pragma once
// Messages as a peer's bytes, for the tests that play the other computer over a real
// socket.
#include "FakePlatform.h"

#include "net/Messages.h"

#include <QByteArray>

namespace quindra::testing {

inline QByteArray bytesOf(const net::Message& message) {
    const std::vector<std::uint8_t> frame = net::encode(message);
    return QByteArray(reinterpret_cast<const char*>(frame.data()), qsizetype(frame.size()));
}

// A hostile host: its greeting, a match the left player won, then that match's end
// `count` times.
inline QByteArray matchEndFlood(int count) {
    StartedGame won;
    won.game.SetVintiBlu = 1;
    won.game.SetCorrente = 1;
    won.game.lblSet_Sin[0].Caption = std::string("6");
    QByteArray flood = bytesOf(net::Hello{net::protocolVersion, net::Role::Host});
    flood += bytesOf(net::Board::of(won.game, won.host));
    for (int i = 0; i < count; ++i)
        flood += bytesOf(net::MatchEnd{0});
    return flood;
}

} // namespace quindra::testing
