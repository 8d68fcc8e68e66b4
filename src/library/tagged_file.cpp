#include "library/tagged_file.h"

#include <taglib/aifffile.h>
#include <taglib/apefile.h>
#include <taglib/asffile.h>
#include <taglib/flacfile.h>
#include <taglib/infotag.h>
#include <taglib/mp4file.h>
#include <taglib/mpcfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/wavpackfile.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace tarvel::library {
namespace {

using formats::MusicFormat;
constexpr auto kFast = TagLib::AudioProperties::Fast;

// The one conversion of the tag library's text into the program's internal text, UTF-8.
std::string InternalText(const TagLib::String& text) {
    return text.to8Bit(true);
}

// The tag library's complaints about damaged files would go to stderr on every scan; the
// scanner says in its own words what it passes over.
class QuietListener : public TagLib::DebugListener {
  public:
    void printMessage(const TagLib::String&) override {}
};

void SilenceTagLib() {
    static QuietListener listener;
    static const bool silenced = (TagLib::setDebugListener(&listener), true);
    (void)silenced;
}

template <typename File>
std::unique_ptr<TagLib::File> Open(const char* path) {
    return std::make_unique<File>(path, true, kFast);
}

// An Ogg file holds Vorbis, or Opus or FLAC in an Ogg stream: the first that reads is taken.
std::unique_ptr<TagLib::File> OpenOgg(const char* path) {
    for (auto open : {&Open<TagLib::Ogg::Vorbis::File>, &Open<TagLib::Ogg::Opus::File>,
                      &Open<TagLib::Ogg::FLAC::File>}) {
        auto file = open(path);
        if (file->isValid()) {
            return file;
        }
    }
    return nullptr;
}

std::unique_ptr<TagLib::File> OpenAs(const char* path, MusicFormat format) {
    switch (format) {
        case MusicFormat::Flac:
            return Open<TagLib::FLAC::File>(path);
        case MusicFormat::Ogg:
            return OpenOgg(path);
        case MusicFormat::Opus:
            return Open<TagLib::Ogg::Opus::File>(path);
        case MusicFormat::Mp4:
            return Open<TagLib::MP4::File>(path);
        case MusicFormat::Asf:
            return Open<TagLib::ASF::File>(path);
        case MusicFormat::WavPack:
            return Open<TagLib::WavPack::File>(path);
        case MusicFormat::MonkeysAudio:
            return Open<TagLib::APE::File>(path);
        case MusicFormat::Musepack:
            return Open<TagLib::MPC::File>(path);
        case MusicFormat::Aiff:
            return Open<TagLib::RIFF::AIFF::File>(path);
        case MusicFormat::Wav:
            return Open<TagLib::RIFF::WAV::File>(path);
        case MusicFormat::Mpeg:
            break;  // read by the program's own readers
    }
    return nullptr;
}

bool EqualNoCase(const std::string& a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

// MP4 keeps fields the tag library has no common name for as freeform atoms
// "----:com.apple.iTunes:<name>", the name in any letter case.
std::string Mp4Freeform(const TagLib::MP4::File& file, std::string_view name) {
    constexpr std::string_view kPrefix = "----:com.apple.iTunes:";
    if (!file.hasMP4Tag()) {
        return {};
    }
    for (const auto& [key, item] : file.tag()->itemMap()) {
        const std::string id = key.to8Bit(true);
        if (id.starts_with(kPrefix) && EqualNoCase(id.substr(kPrefix.size()), name)) {
            const TagLib::StringList values = item.toStringList();
            return values.isEmpty() ? std::string() : InternalText(values.front());
        }
    }
    return {};
}

// The tags a file's names are read from, in order. A WAV file's tag() is its ID3v2 tag alone; most
// WAV writers keep the names in the RIFF INFO list instead, read where the ID3v2 tag has none.
std::vector<const TagLib::Tag*> TagsOf(const TagLib::File& file) {
    std::vector<const TagLib::Tag*> tags;
    if (file.tag() != nullptr) {
        tags.push_back(file.tag());
    }
    if (const auto* wav = dynamic_cast<const TagLib::RIFF::WAV::File*>(&file);
        wav != nullptr && wav->hasInfoTag()) {
        tags.push_back(const_cast<TagLib::RIFF::WAV::File*>(wav)->InfoTag());
    }
    return tags;
}

// The first of the tags' texts that is not empty.
template <typename Read>
std::string FirstText(const std::vector<const TagLib::Tag*>& tags, Read read) {
    for (const TagLib::Tag* tag : tags) {
        if (const TagLib::String text = read(*tag); !text.isEmpty()) {
            return InternalText(text);
        }
    }
    return {};
}

// The first of the tags' numbers that is not 0.
template <typename Read>
unsigned FirstNumber(const std::vector<const TagLib::Tag*>& tags, Read read) {
    for (const TagLib::Tag* tag : tags) {
        if (const unsigned number = read(*tag); number != 0) {
            return number;
        }
    }
    return 0;
}

}  // namespace

TaggedFile::TaggedFile(const std::string& path, formats::MusicFormat format) {
    SilenceTagLib();
    file_ = OpenAs(path.c_str(), format);
    if (file_ && (!file_->isValid() || file_->audioProperties() == nullptr)) {
        file_.reset();
    }
}

TaggedFile::~TaggedFile() = default;

bool TaggedFile::valid() const {
    return file_ != nullptr;
}

TaggedFacts TaggedFile::Facts() const {
    TaggedFacts facts;
    const std::vector<const TagLib::Tag*> tags = TagsOf(*file_);
    facts.artist = FirstText(tags, [](const TagLib::Tag& t) { return t.artist(); });
    facts.album = FirstText(tags, [](const TagLib::Tag& t) { return t.album(); });
    facts.title = FirstText(tags, [](const TagLib::Tag& t) { return t.title(); });
    facts.genre = FirstText(tags, [](const TagLib::Tag& t) { return t.genre(); });
    facts.year = FirstNumber(tags, [](const TagLib::Tag& t) { return t.year(); });
    facts.track = FirstNumber(tags, [](const TagLib::Tag& t) { return t.track(); });
    const TagLib::AudioProperties& audio = *file_->audioProperties();
    facts.bit_rate = audio.bitrate();
    facts.duration_ms = audio.lengthInMilliseconds();
    facts.sample_rate = audio.sampleRate();
    facts.channels = audio.channels();
    return facts;
}

std::string TaggedFile::Field(std::string_view name) const {
    const TagLib::PropertyMap properties = file_->properties();
    const auto found = properties.find(TagLib::String(std::string(name), TagLib::String::UTF8));
    if (found != properties.end() && !found->second.isEmpty()) {
        return InternalText(found->second.front());
    }
    if (const auto* mp4 = dynamic_cast<const TagLib::MP4::File*>(file_.get())) {
        return Mp4Freeform(*mp4, name);
    }
    return {};
}

}  // namespace tarvel::library
