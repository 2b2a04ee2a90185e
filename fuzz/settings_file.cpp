// The settings file reader on any bytes. A file it accepts must make a
// catalogue, and writing that catalogue must give a file that reads back
// to the same lists and writes the same bytes again; read with its groups
// left encoded, the catalogue must write the same bytes too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "catalogue/SettingsFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto contents = ParseSettings({data, size});
    if (contents.has_value() != IsValidSettings({data, size}))
        std::abort();
    if (!contents)
        return 0;
    Catalogue catalogue(Catalogue::DefaultNames{u"Programs", u"Multimedia", u"Game", u"Favorite"});
    if (!catalogue.Replace(*contents))
        std::abort();
    auto bytes = SerializeSettings(catalogue);
    // Never larger than the input: what was read can always be written.
    if (!bytes || bytes->size() > size)
        std::abort();
    auto again = ParseSettings(*bytes);
    if (!again || *again != catalogue.Contents() || SerializeSettings(*again) != bytes)
        std::abort();
    auto encoded = ParseEncodedSettings(std::vector<std::uint8_t>(data, data + size));
    Catalogue lazy(catalogue.DefaultGroupNames());
    if (!encoded || !lazy.Replace(std::move(encoded->contents), std::move(encoded->groups)) ||
        SerializeSettings(lazy) != bytes || lazy.Contents() != catalogue.Contents())
        std::abort();
    return 0;
}
