#pragma once
// What a sound server's null sink heard while a test played: its monitor recorded with
// parec, and the sounds in it named by their pitch. Used where tests/sound.sh started
// the server and named the sink.
#include <QProcess>
#include <QStringList>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

namespace quindra::testing {

// What reached the sound server's sink `sink` while `play` ran: its monitor as parec records
// it, at the game's rate.
inline std::vector<std::int16_t> recorded(const QString& sink, const std::function<void()>& play) {
    QProcess parec;
    parec.start(QStringLiteral("parec"),
                {QStringLiteral("-d"), sink + QStringLiteral(".monitor"), QStringLiteral("--raw"),
                 QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                 QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")});
    // Recording once it has recorded something: the first start of a recorder can take
    // a second or two.
    if (!parec.waitForStarted() ||
        !QTest::qWaitFor([&] { return parec.bytesAvailable() > 8820; }, 10000))
        return {};
    play();
    QTest::qWait(1200); // the last sound's tail
    parec.terminate();
    parec.waitForFinished();
    const QByteArray raw = parec.readAllStandardOutput();
    std::vector<std::int16_t> samples(std::size_t(raw.size()) / 2);
    std::memcpy(samples.data(), raw.constData(), samples.size() * 2);
    return samples;
}

// The sounds in a recording, in order: each a burst after 150 ms of silence, named by the
// pitch strongest in its first 30 ms.
inline QStringList bursts(const std::vector<std::int16_t>& s) {
    const std::pair<const char*, double> pitches[] = {
        {"serve", 330}, {"red", 440}, {"blue", 660}, {"edge", 1320}, {"point", 784}, {"game", 523}};
    const auto strength = [&s](std::size_t from, double hertz) {
        const double w = 2 * 3.14159265358979 * hertz / 44100;
        double s1 = 0, s2 = 0;
        for (std::size_t i = from; i < std::min(s.size(), from + 1323); ++i) {
            const double s0 = s[i] + 2 * std::cos(w) * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        return s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
    };
    QStringList found;
    int silent = 30; // before the recording, nothing
    for (std::size_t frame = 0; frame + 220 <= s.size(); frame += 220) { // 5 ms
        int loudest = 0;
        for (std::size_t i = frame; i < frame + 220; ++i)
            loudest = std::max(loudest, std::abs(int(s[i])));
        if (loudest > 1500 && silent >= 30) {
            const auto* best = &pitches[0];
            for (const auto& p : pitches)
                if (strength(frame, p.second) > strength(frame, best->second))
                    best = &p;
            found << QLatin1String(best->first);
        }
        silent = loudest > 1500 ? 0 : silent + 1;
    }
    return found;
}
} // namespace quindra::testing
