#include "audio/SoundDirector.h"

#include "audio/EffectControls.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTickBelow = 10.0f;        // seconds left when the clock starts ticking
constexpr float kCoinStreakWindow = 1.2f;  // coins closer than this climb in pitch
constexpr int kLongestCoinStreak = 7;
constexpr float kSilentLoop = 0.002f;

bool interfaceSound(SoundEffect effect) {
    return effect == SoundEffect::MenuHover || effect == SoundEffect::MenuClick || effect == SoundEffect::Pause;
}

// Sounds that happen somewhere in the level; the rest are heard head-on.
bool placedInWorld(SoundEffect effect) {
    switch (effect) {
    case SoundEffect::Jump:
    case SoundEffect::Land:
    case SoundEffect::Coin:
    case SoundEffect::Magnet:
    case SoundEffect::SlowMo:
    case SoundEffect::AntiGravity:
    case SoundEffect::Shield:
    case SoundEffect::SpeedBoost:
    case SoundEffect::Bounce:
    case SoundEffect::CrumbleCrack:
    case SoundEffect::Checkpoint: return true;
    default: return false;
    }
}

}  // namespace

std::vector<AudioCommand> SoundDirector::update(const std::vector<SoundCue>& cues, const SoundFrame& frame, float dt) {
    std::vector<AudioCommand> out;
    out.push_back(SetListener{frame.listenerPosition, frame.listenerForward, frame.listenerUp});
    if (frame.paused != paused) {
        paused = frame.paused;
        if (paused) {
            out.push_back(PauseAll{});
        } else {
            out.push_back(ResumeAll{});
        }
    }
    const bool musicChanged = frame.music ? !music || !sameTune(*music, *frame.music) : music.has_value();
    if (!musicSent || musicChanged) {
        music = frame.music ? std::optional<MusicStyle>(*frame.music) : std::nullopt;
        out.push_back(SetMusic{music});
        musicSent = true;
    }
    sinceCoin += dt;
    playCues(cues, frame, out);
    tickClock(frame, out);
    const bool live = frame.inPlay && !frame.paused;
    const float rollTarget = live && frame.grounded ? rollLoopLevel(frame.groundSpeed) : 0.0f;
    steerLoop(LoopSound::Roll, roll, rollTarget, rollPitch(frame.groundSpeed), 0.04f, 0.08f, dt, frame, out);
    const float beltTarget = live ? 0.7f * beltHumLevel(frame.conveyorDistance) : 0.0f;
    steerLoop(LoopSound::Belt, belt, beltTarget, 1.0f, 0.2f, 0.2f, dt, frame, out);
    return out;
}

void SoundDirector::playCues(const std::vector<SoundCue>& cues, const SoundFrame& frame,
                             std::vector<AudioCommand>& out) {
    bool played[kSoundEffectCount] = {};
    for (const SoundCue& cue : cues) {
        const auto index = static_cast<std::size_t>(cue.effect);
        if (index >= static_cast<std::size_t>(kSoundEffectCount) || played[index]) continue;  // once per frame each
        if (frame.paused && !interfaceSound(cue.effect)) continue;
        PlayEffect play{cue.effect, 1.0f, 1.0f, placedInWorld(cue.effect), cue.position};
        switch (cue.effect) {
        case SoundEffect::Land: {
            // Of several landings in one frame, the hardest is heard.
            float strongest = cue.strength;
            for (const SoundCue& other : cues) {
                if (other.effect == SoundEffect::Land) strongest = std::max(strongest, other.strength);
            }
            play.gain = landingGain(strongest);
            play.pitch = landingPitch(strongest);
            break;
        }
        case SoundEffect::Bounce: play.gain = std::clamp(0.5f + cue.strength / 20.0f, 0.5f, 1.0f); break;
        case SoundEffect::Coin:
            // A quick run of coins climbs a semitone a coin.
            coinStreak = sinceCoin < kCoinStreakWindow ? std::min(coinStreak + 1, kLongestCoinStreak) : 0;
            sinceCoin = 0.0f;
            play.pitch = std::exp2(static_cast<float>(coinStreak) / 12.0f);
            break;
        case SoundEffect::Jump:
        case SoundEffect::MenuHover: play.pitch = 1.0f + 0.03f * variation.next(); break;
        case SoundEffect::Roll:
        case SoundEffect::BeltHum: continue;  // loops follow the state, not cues
        default: break;
        }
        if (play.gain <= 0.0f) continue;
        played[index] = true;
        out.push_back(play);
    }
}

void SoundDirector::tickClock(const SoundFrame& frame, std::vector<AudioCommand>& out) {
    if (!frame.inPlay || !std::isfinite(frame.timeLeft) || frame.timeLeft < 0.0f) {
        clockSeen = false;
        return;
    }
    if (frame.paused) return;
    const int whole = static_cast<int>(std::floor(frame.timeLeft));
    // A tick as the clock passes each whole second below kTickBelow: 10, 9, ... 1.
    if (clockSeen && whole < lastWholeSecond && frame.timeLeft < kTickBelow) {
        out.push_back(PlayEffect{SoundEffect::TimeLow, 1.0f, whole < 3 ? 1.12f : 1.0f, false, Vec3(0.0f)});
    }
    lastWholeSecond = whole;
    clockSeen = true;
}

void SoundDirector::steerLoop(LoopSound which, Loop& loop, float target, float pitch, float riseTime, float fallTime,
                              float dt, const SoundFrame& frame, std::vector<AudioCommand>& out) {
    if (frame.paused) {
        loop.gain = 0.0f;  // back from a pause, loops fade in again
    } else {
        // Gains glide rather than jump, so leaving the ground does not click.
        const float time = target > loop.gain ? riseTime : fallTime;
        loop.gain += (target - loop.gain) * (1.0f - std::exp(-std::max(dt, 0.0f) / time));
    }
    if (loop.gain > kSilentLoop) {
        const bool rolling = which == LoopSound::Roll;
        out.push_back(SetLoop{which, loop.gain, pitch, rolling, rolling ? frame.ballPosition : Vec3(0.0f)});
        loop.playing = true;
    } else if (loop.playing) {
        out.push_back(StopLoop{which});
        loop.playing = false;
    }
}
