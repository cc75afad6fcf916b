// Bytes from the network, as a hostile or broken other side may send them: decoded frame
// by frame, and played into a session on the host's side or the guest's. Nothing may
// crash or trip a sanitizer, every message accepted must be in range (it encodes back to
// the same bytes and decodes again), and the peer can do nothing a player's keys could not.
#include "FuzzInput.h"

#include "net/Messages.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace quindra;

namespace {

// A broken rule names itself before the fuzzer keeps the input.
void check(bool ok, const char* rule) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", rule);
        std::abort();
    }
}
#define CHECK(rule) check(rule, #rule)

// Every message the decoder accepts is one the codec could have written.
void decodeAll(std::span<const std::uint8_t> bytes, std::size_t cut) {
    net::Decoder decoder;
    for (std::size_t at = 0; at < bytes.size(); at += cut) {
        decoder.feed(bytes.subspan(at, std::min(cut, bytes.size() - at)));
        for (;;) {
            const net::Decoder::Result r = decoder.next();
            if (r.status != net::Decoder::Status::Ready) {
                CHECK(r.status == net::Decoder::Status::NeedMore || !r.fault.empty());
                if (r.status == net::Decoder::Status::Bad)
                    return;
                break;
            }
            const std::vector<std::uint8_t> again = net::encode(r.message);
            CHECK(again.size() <= 2 + net::longestFrame);
            net::Decoder second;
            second.feed(again);
            const net::Decoder::Result r2 = second.next();
            CHECK(r2.status == net::Decoder::Status::Ready && r2.message == r.message);
            if (const auto* b = std::get_if<net::Board>(&r.message))
                CHECK(b->reachable());
        }
    }
}

// How many keys go down in the frames that a chunk completes.
int keysDownIn(net::Decoder& decoder, std::span<const std::uint8_t> chunk) {
    decoder.feed(chunk);
    int n = 0;
    for (net::Decoder::Result r = decoder.next(); r.status == net::Decoder::Status::Ready;
         r = decoder.next())
        if (const auto* key = std::get_if<net::Key>(&r.message))
            n += key->down ? 1 : 0;
    return n;
}

// The same bytes into a session that has been greeted properly, by a peer that reads
// nothing. What must hold after every chunk: the game is one the rules can reach, what
// waits unread stays bounded, no match's end is shown twice for one board, and the guest's
// keys move the right racquet no further than a key press or a held key's repeat can.
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
    net::Decoder counter;
    std::int64_t now = 1;
    for (std::size_t at = 0; at < bytes.size(); at += cut, now += 7) {
        const auto chunk = bytes.subspan(at, std::min(cut, bytes.size() - at));
        const float redTop = g.game.Racchetta_Rossa.Top;
        const int pressed = keysDownIn(counter, chunk);
        session.received(chunk, now);
        const auto held = static_cast<float>(players.heldKeys().size());
        players.repeatHeldKeys(now);
        if (asHost && g.host.clock)
            g.game.Timer1_Timer();
        session.gameChanged();
        session.poll(now);
        CHECK(net::Board::of(g.game, g.host).reachable());
        CHECK(link.sent <= net::Session::mostUnread + 2 * (2 + net::longestFrame));
        CHECK(!listener.boxTwiceForOneBoard);
        // Once the link ends the host goes back to the last board both had: no key's doing.
        if (asHost && session.playing()) {
            CHECK(held <= net::Session::mostGuestKeys);
            CHECK(std::fabs(g.game.Racchetta_Rossa.Top - redTop) <= 500.0f * (pressed + held));
            CHECK(g.game.Racchetta_Blu.Top == blueTop && g.game.Racchetta_Blu.Left == blueLeft);
        }
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
