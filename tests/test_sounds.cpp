// The game's sounds as made and mixed, before any device: each kind at its own pitch, whole,
// never too loud; several at once summed, none cut short, a flood held to a few at a time.
#include "app/SoundThread.h"
#include "app/Sounds.h"

#include <QtTest>

#include <cmath>
#include <mutex>

using namespace quindra;

namespace {

// How strong `hertz` is in the first 40 ms of `samples`, by Goertzel's filter.
double strength(const std::vector<std::int16_t>& samples, double hertz) {
    const double w = 2 * 3.14159265358979 * hertz / soundRate;
    double s1 = 0, s2 = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(samples.size(), soundRate / 25); ++i) {
        const double s0 = samples[i] + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2);
}

} // namespace

class SoundsTest : public QObject {
    Q_OBJECT

  private slots:
    void eachAtItsPitch_data() {
        QTest::addColumn<int>("sound");
        QTest::addColumn<double>("hertz");
        QTest::addColumn<int>("longestMs");
        QTest::newRow("serve") << int(Sound::Serve) << 330.0 << 100;
        QTest::newRow("blue hit") << int(Sound::BlueHit) << 660.0 << 100;
        QTest::newRow("red hit") << int(Sound::RedHit) << 440.0 << 100;
        QTest::newRow("edge") << int(Sound::Edge) << 1320.0 << 50;
        QTest::newRow("point") << int(Sound::Point) << 784.0 << 300;
        QTest::newRow("game") << int(Sound::Game) << 523.0 << 450;
        QTest::newRow("set") << int(Sound::Set) << 523.0 << 650;
        QTest::newRow("match") << int(Sound::Match) << 523.0 << 1100;
    }
    void eachAtItsPitch() {
        QFETCH(int, sound);
        QFETCH(double, hertz);
        QFETCH(int, longestMs);
        const std::vector<std::int16_t>& s = samplesOf(Sound(sound));
        QVERIFY(int(s.size()) <= longestMs * soundRate / 1000);
        const auto [low, high] = std::minmax_element(s.begin(), s.end());
        QVERIFY(*high > 6000 && *low < -6000); // heard, and not clipped by itself
        // Its own pitch is stronger than every other kind's opening pitch.
        for (const double other : {330.0, 660.0, 440.0, 1320.0, 784.0, 523.0})
            if (other != hertz)
                QVERIFY2(strength(s, hertz) > 2 * strength(s, other),
                         qPrintable(QString::number(other)));
    }

    // Two at once are their sum, clamped; each plays to its end; a seventeenth sound
    // makes the oldest of sixteen give way.
    void mixed() {
        SoundMixer m;
        const std::vector<std::int16_t>& edge = samplesOf(Sound::Edge);
        const std::vector<std::int16_t>& red = samplesOf(Sound::RedHit);
        m.start(Sound::RedHit);
        m.start(Sound::Edge);
        std::vector<std::int16_t> out(red.size() + 100, 1);
        QVERIFY(m.mix(out.data(), out.size()));
        for (std::size_t i = 0; i < out.size(); ++i) {
            const int sum = (i < red.size() ? red[i] : 0) + (i < edge.size() ? edge[i] : 0);
            QCOMPARE(out[i], std::int16_t(std::clamp(sum, -32768, 32767)));
        }
        QVERIFY(!m.playing() && !m.mix(out.data(), 10) && out[0] == 0);

        for (std::size_t i = 0; i < SoundMixer::mostVoices; ++i)
            m.start(Sound::RedHit);
        m.mix(out.data(), 1); // the oldest is a sample ahead of the others
        m.start(Sound::Edge);
        m.mix(out.data(), 2);
        const int expected = 15 * red[1] + edge[0];
        QCOMPARE(out[0], std::int16_t(std::clamp(expected, -32768, 32767)));
    }

    // The device opens and closes on the thread; each wake plays out; after a silence the
    // device rests once, and a sound after it plays again.
    void threadRestsAfterASilence() {
        std::mutex mutex;
        QString calls;
        const auto log = [&](char c) {
            const std::lock_guard lock(mutex);
            calls += QLatin1Char(c);
        };
        const auto seen = [&] {
            const std::lock_guard lock(mutex);
            return calls;
        };
        {
            SoundThread thread(
                {[&] { log('o'); }, [&] { log('p'); }, [&] { log('r'); }, [&] { log('c'); }},
                std::chrono::milliseconds(30));
            QTRY_COMPARE(seen(), QStringLiteral("o"));
            QTest::qWait(100); // resting from the start: no rest before a sound
            thread.wake();
            QTRY_COMPARE(seen(), QStringLiteral("opr"));
            QTest::qWait(100);
            thread.wake();
            QTRY_COMPARE(seen(), QStringLiteral("oprpr"));
        }
        QCOMPARE(seen(), QStringLiteral("oprprc"));
    }
};

QTEST_APPLESS_MAIN(SoundsTest)
#include "test_sounds.moc"
