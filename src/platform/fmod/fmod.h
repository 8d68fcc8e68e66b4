#pragma once

#include <cstdint>

// The FMOD 3 sound-library interface that the FMOD engine procedures call, over the shared sound
// core. Names, arguments and values are the library's. A call on a handle or channel that does
// not exist fails harmlessly (FALSE, 0, -1 or a null handle) and sets FSOUND_GetError.
//
// Volumes 0..255 are linear amplitude (128 is about half of 255). Times are milliseconds of the
// 44 100 Hz mix. Drive 0 is the first CD device or the CUE/BIN image named by TARVEL_CD.
struct FSOUND_STREAM;
struct FMUSIC_MODULE;

namespace tarvel::fmod {

using BOOL8 = signed char;  // FMOD's "signed char" booleans: 0 false, non-zero true

constexpr int FSOUND_FREE = -1;  // any free channel
constexpr int FSOUND_ALL = -3;   // every channel

constexpr int FSOUND_OUTPUT_NOSOUND = 0;
constexpr int FSOUND_OUTPUT_WINMM = 1;
constexpr int FSOUND_MIXER_QUALITY_MMXP6 = 7;
constexpr unsigned FSOUND_NORMAL = 0x130;  // 16-bit, signed, mono
constexpr int FSOUND_CD_PLAYONCE = 1;

// FMUSIC_GetType
constexpr int FMUSIC_TYPE_NONE = 0;
constexpr int FMUSIC_TYPE_MOD = 1;
constexpr int FMUSIC_TYPE_S3M = 2;
constexpr int FMUSIC_TYPE_XM = 3;
constexpr int FMUSIC_TYPE_IT = 4;

// FSOUND_GetError codes.
constexpr int FMOD_ERR_NONE = 0;
constexpr int FMOD_ERR_BUSY = 1;
constexpr int FMOD_ERR_UNINITIALIZED = 2;
constexpr int FMOD_ERR_INIT = 3;
constexpr int FMOD_ERR_PLAY = 5;
constexpr int FMOD_ERR_FILE_NOTFOUND = 9;
constexpr int FMOD_ERR_FILE_FORMAT = 10;
constexpr int FMOD_ERR_FILE_BAD = 11;
constexpr int FMOD_ERR_INVALID_PARAM = 14;
constexpr int FMOD_ERR_CHANNEL_ALLOC = 16;

float FSOUND_GetVersion();  // 3.75
int FSOUND_GetError();

// Set-up calls, before FSOUND_Init (after it they fail with FMOD_ERR_BUSY). Output 0 plays
// without sound; any other output is the one TARVEL_AUDIO chooses. The driver must be 0; the
// mixer and window are accepted and not used.
BOOL8 FSOUND_SetOutput(int output);
BOOL8 FSOUND_SetDriver(int driver);
BOOL8 FSOUND_SetMixer(int mixer);
BOOL8 FSOUND_SetHWND(void* window);
BOOL8 FSOUND_Init(int mixrate, int maxchannels, unsigned flags);
// Frees every stream, module and CD channel and ends the initialisation.
void FSOUND_Close();

// Channels (as given by FSOUND_Stream_Play), or FSOUND_ALL for every channel and module.
BOOL8 FSOUND_SetVolume(int channel, int volume);
BOOL8 FSOUND_SetPan(int channel, int pan);
BOOL8 FSOUND_SetPaused(int channel, BOOL8 paused);
BOOL8 FSOUND_GetPaused(int channel);
BOOL8 FSOUND_IsPlaying(int channel);

FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned mode, int offset, int length);
int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream);  // channel number or -1
BOOL8 FSOUND_Stream_Stop(FSOUND_STREAM* stream);             // and back to the start
BOOL8 FSOUND_Stream_Close(FSOUND_STREAM* stream);
BOOL8 FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms);
// The program's own call beside the library's: the gain (linear amplitude, 0 or more) applied
// before the stream's effects, for volume leveling. 1, the start value, changes nothing.
BOOL8 FSOUND_Stream_SetLeveling(FSOUND_STREAM* stream, float gain);
int FSOUND_Stream_GetTime(FSOUND_STREAM* stream);
int FSOUND_Stream_GetLengthMs(FSOUND_STREAM* stream);

FMUSIC_MODULE* FMUSIC_LoadSong(const char* name);
BOOL8 FMUSIC_FreeSong(FMUSIC_MODULE* module);
BOOL8 FMUSIC_PlaySong(FMUSIC_MODULE* module);  // from the start
BOOL8 FMUSIC_StopSong(FMUSIC_MODULE* module);
void FMUSIC_StopAllSongs();
BOOL8 FMUSIC_IsPlaying(FMUSIC_MODULE* module);  // started and not yet finished or stopped
BOOL8 FMUSIC_IsFinished(FMUSIC_MODULE* module);
BOOL8 FMUSIC_SetPaused(FMUSIC_MODULE* module, BOOL8 paused);
BOOL8 FMUSIC_GetPaused(FMUSIC_MODULE* module);
BOOL8 FMUSIC_SetMasterVolume(FMUSIC_MODULE* module, int volume);         // 0..255
BOOL8 FMUSIC_SetPanSeperation(FMUSIC_MODULE* module, float separation);  // stored
int FMUSIC_GetType(FMUSIC_MODULE* module);
int FMUSIC_GetTime(FMUSIC_MODULE* module);

BOOL8 FSOUND_CD_Play(char drive, int track);  // 1-based
BOOL8 FSOUND_CD_SetPlayMode(char drive, BOOL8 mode);
BOOL8 FSOUND_CD_Stop(char drive);
BOOL8 FSOUND_CD_SetPaused(char drive, BOOL8 paused);
BOOL8 FSOUND_CD_GetPaused(char drive);
int FSOUND_CD_GetTrack(char drive);  // the track playing or paused, 0 when none
int FSOUND_CD_GetNumTracks(char drive);
BOOL8 FSOUND_CD_SetVolume(char drive, int volume);
BOOL8 FSOUND_CD_SetTrackTime(char drive, unsigned ms);
int FSOUND_CD_GetTrackTime(char drive);
int FSOUND_CD_GetTrackLength(char drive, int track);

// 512 FFT magnitudes of the last 1024 samples of the mix; valid until the next call.
float* FSOUND_DSP_GetSpectrum();

}  // namespace tarvel::fmod
