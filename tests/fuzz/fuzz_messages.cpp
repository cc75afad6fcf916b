// Bytes from the network, as a hostile or broken other side may send them: decoded frame
// by frame, and played into a session on the host's side or the guest's. Nothing may
// crash or trip a sanitizer, every message accepted must be in range (it encodes back to
// the same bytes and decodes again), and the host's game stays within its court.
#include "FuzzInput.h"

#include "net/Messages.h"

#include <cmath>
#include <cstdlib>

using namespace quindra;

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

// Every message the decoder accepts is one the codec could have written.
void decodeAll(std::span<const std::uint8_t> bytes, std::size_t cut) {
    net::Decoder decoder;
    for (std::size_t at = 0; at < bytes.size(); at += cut) {
        decoder.feed(bytes.subspan(at, std::min(cut, bytes.size() - at)));
        for (;;) {
            const net::Decoder::Result r = decoder.next();
            if (r.status != net::Decoder::Status::Ready) {
                check(r.status == net::Decoder::Status::NeedMore || !r.fault.empty());
                if (r.status == net::Decoder::Status::Bad)
                    return;
                break;
            }
            const std::vector<std::uint8_t> again = net::encode(r.message);
            check(again.size() <= 2 + net::longestFrame);
            net::Decoder second;
            second.feed(again);
            const net::Decoder::Result r2 = second.next();
            check(r2.status == net::Decoder::Status::Ready && r2.message == r.message);
            if (const auto* b = std::get_if<net::Board>(&r.message))
                check(std::isfinite(b->ball.left) && std::isfinite(b->ball.top) &&
                      b->blue.height > 0 && (b->sets == 1 || b->sets == 3 || b->sets == 5));
        }
    }
}

// The same bytes into a session that has been greeted properly.
void play(std::span<const std::uint8_t> bytes, bool asHost, std::size_t cut) {
    testing::StartedGame g;
    Players players(g.game, g.host);
    fuzzing::NullLink link;
    fuzzing::Listener listener;
    const net::Role role = asHost ? net::Role::Host : net::Role::Guest;
    net::Session session(role, g.game, g.host, players, link, listener);
    session.start(0);
    const net::Role other = asHost ? net::Role::Guest : net::Role::Host;
    session.received(net::encode(net::Hello{net::protocolVersion, other}), 0);
    const float blueTop = g.game.Racchetta_Blu.Top, blueLeft = g.game.Racchetta_Blu.Left;
    std::int64_t now = 1;
    for (std::size_t at = 0; at < bytes.size(); at += cut, now += 7) {
        session.received(bytes.subspan(at, std::min(cut, bytes.size() - at)), now);
        players.repeatHeldKeys(now);
        if (asHost && g.host.clock)
            g.game.Timer1_Timer();
        session.gameChanged();
        session.poll(now);
        // Nothing a guest sends moves a racquet past the court's limits, or the left one.
        if (asHost)
            check(g.game.Racchetta_Rossa.Top >= -250.0f &&
                  g.game.Racchetta_Rossa.Top <= g.host.outerH &&
                  g.game.Racchetta_Blu.Top == blueTop && g.game.Racchetta_Blu.Left == blueLeft);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t how = data[0];
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    const std::size_t cut = 1 + (how >> 1) % 64; // how the network cuts the stream
    decodeAll(bytes, cut);
    // The guest's side takes boards; a racquet's place is checked only on the host.
    play(bytes, (how & 1) != 0, cut);
    return 0;
}
