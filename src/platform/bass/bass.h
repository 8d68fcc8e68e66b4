#pragma once

#include <cstdint>

// The BASS 2.0 sound-library interface (with the CD add-on's stream call) that the BASS engine
// calls, over the shared sound core. Names, argument kinds and values are the library's. Every
// call on a handle of the wrong kind, or on no handle, fails harmlessly (FALSE, 0 or -1) and
// sets the error code.
//
// Positions are bytes of 16-bit stereo at 44 100 Hz (4 bytes a frame) whatever the source's
// own rate, since every channel is mixed at that rate. The output volume is linear amplitude:
// BASS_SetVolume(50) halves what BASS_SetVolume(100) gives.
namespace tarvel::bass {

using DWORD = std::uint32_t;
using QWORD = std::uint64_t;
using BOOL = int;
using HSTREAM = DWORD;
using HMUSIC = DWORD;
using HSYNC = DWORD;
using HFX = DWORD;

constexpr BOOL kFalse = 0;
constexpr BOOL kTrue = 1;

// Configuration options.
constexpr DWORD BASS_CONFIG_BUFFER = 0;

// Sample/stream/music flags.
constexpr DWORD BASS_SAMPLE_8BITS = 1;
constexpr DWORD BASS_SAMPLE_FX = 0x80;  // the channel takes effects
constexpr DWORD BASS_MUSIC_RAMP = 0x200;

// Channel-info types.
constexpr DWORD BASS_CTYPE_STREAM = 0x10000;
constexpr DWORD BASS_CTYPE_STREAM_CD = 0x10200;
constexpr DWORD BASS_CTYPE_MUSIC_MOD = 0x20000;

// Sync types.
constexpr DWORD BASS_SYNC_END = 2;

// Effect types and their parameter records.
constexpr DWORD BASS_FX_PARAMEQ = 7;
struct BASS_FXPARAMEQ {
    float fCenter;     // Hz
    float fBandwidth;  // semitones
    float fGain;       // dB
};

// ChannelGetData: 512 FFT magnitudes of the last 1024 samples.
constexpr DWORD BASS_DATA_FFT1024 = 0x80000001;

struct BASS_CHANNELINFO {
    DWORD freq;   // the source's sampling rate
    DWORD chans;  // the source's channel count
    DWORD flags;  // BASS_SAMPLE_8BITS for 8-bit source data, plus the creation flags
    DWORD ctype;
};

// Error codes of BASS_ErrorGetCode.
constexpr int BASS_OK = 0;
constexpr int BASS_ERROR_FILEOPEN = 2;
constexpr int BASS_ERROR_HANDLE = 5;
constexpr int BASS_ERROR_FORMAT = 6;
constexpr int BASS_ERROR_POSITION = 7;
constexpr int BASS_ERROR_INIT = 8;
constexpr int BASS_ERROR_NOCD = 12;
constexpr int BASS_ERROR_CDTRACK = 13;
constexpr int BASS_ERROR_ALREADY = 14;
constexpr int BASS_ERROR_NOPAUSE = 16;
constexpr int BASS_ERROR_ILLTYPE = 19;
constexpr int BASS_ERROR_ILLPARAM = 20;
constexpr int BASS_ERROR_DEVICE = 23;
constexpr int BASS_ERROR_NOPLAY = 24;
constexpr int BASS_ERROR_NOTAVAIL = 37;
constexpr int BASS_ERROR_FILEFORM = 41;

// A sync procedure, called on the sound thread.
using SYNCPROC = void(HSYNC handle, DWORD channel, DWORD data, DWORD user);

// 2 (major 2 in the low word, minor 0 in the high word).
DWORD BASS_GetVersion();
int BASS_ErrorGetCode();

// device 1 (or -1): the output TARVEL_AUDIO chooses; device 0: no sound (channels still play in
// real time). freq must be 44100 or 0. window and clsid are not used.
BOOL BASS_Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid);
// Frees every channel and ends the initialisation.
BOOL BASS_Free();
// Stores the option's value and returns it; no option changes the sound.
DWORD BASS_SetConfig(DWORD option, DWORD value);
BOOL BASS_SetVolume(DWORD volume);  // 0..100
DWORD BASS_GetVolume();

// From files only (mem must be FALSE); offset and length must be 0.
HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags);
HMUSIC BASS_MusicLoad(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags,
                      DWORD freq);
// drive 0 = CdSource(); track is 0-based.
HSTREAM BASS_CD_StreamCreate(DWORD drive, DWORD track, DWORD flags);
BOOL BASS_StreamFree(HSTREAM handle);
BOOL BASS_MusicFree(HMUSIC handle);

BOOL BASS_StreamPlay(HSTREAM handle, BOOL flush, DWORD flags);
BOOL BASS_MusicPlay(HMUSIC handle);
BOOL BASS_ChannelPause(DWORD handle);
BOOL BASS_ChannelResume(DWORD handle);
BOOL BASS_ChannelStop(DWORD handle);
// 0 stopped or ended, 1 playing, 3 paused (the library's BASS_ACTIVE_ values).
DWORD BASS_ChannelIsActive(DWORD handle);

BOOL BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info);
HSYNC BASS_ChannelSetSync(DWORD handle, DWORD type, QWORD param, SYNCPROC* proc, DWORD user);

// The program's own call beside the library's: the gain (linear amplitude, 0 or more) applied
// before the channel's effects, for volume leveling. 1, the start value, changes nothing.
BOOL BASS_ChannelSetLeveling(DWORD handle, float gain);

HFX BASS_ChannelSetFX(DWORD handle, DWORD type);
BOOL BASS_FXSetParameters(HFX handle, const void* params);
BOOL BASS_FXGetParameters(HFX handle, void* params);

QWORD BASS_ChannelGetPosition(DWORD handle);                    // (QWORD)-1 on failure
BOOL BASS_ChannelSetPosition(DWORD handle, QWORD position);     // bytes
float BASS_ChannelBytes2Seconds(DWORD handle, QWORD position);  // negative on failure
QWORD BASS_ChannelSeconds2Bytes(DWORD handle, float seconds);   // (QWORD)-1 on failure

// length BASS_DATA_FFT1024: 512 floats into buffer; returns the bytes written or (DWORD)-1.
DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length);

}  // namespace tarvel::bass
