#include "app/cli/help_text.h"

#include "resources/version_info.h"

std::string VersionText() { return "lumistra " LUMISTRA_VERSION_TEXT "\n"; }

std::string HelpText() {
    return R"(lumistra )" LUMISTRA_VERSION_TEXT
           R"(: reduces noise and film grain in photographs with the
LUMISTRA filter plug-in, loaded and driven as an image application would.

Usage:
  lumistra INPUT... [-o OUTPUT | --out-dir DIR | --in-place] [options]
  lumistra --about | --version | --help

Each INPUT (JPEG, PNG, TIFF or WebP, told by its contents) is filtered and
written, with its EXIF, IPTC, XMP and ICC profile, to
  -o, --output FILE     FILE (one input only)
  --out-dir DIR         DIR, under the input's own name (DIR is created)
  --in-place            the input itself
  (none of these)       NAME-denoised.EXT beside the input
A file appears only once it is complete, and an existing one is replaced only
then. An input is never overwritten without --in-place.

Filter values, 0 to 100; a value not given is the last one used, else 50:
  --highlight N         Highlight Noise Reduction
  --shadow N            Shadow Noise Reduction
  --clarity N           Clarity: 0 softens, 100 sharpens
  --selection X,Y,W,H   filter only this rectangle, at least 256 x 256
  --replay FILE         replay a recorded action; values given above win
  --record FILE         write the action the filter recorded, as JSON
  --no-remember         leave the last-used values as they are; they are kept in
                        $XDG_CONFIG_HOME/lumistra/last-used.json, by default
                        ~/.config/lumistra/last-used.json

Images:
  --quality N           JPEG and WebP quality, 1 to 100 (default 95)
  --subsampling S       JPEG chroma subsampling, 444, 422 or 420; by default a
                        JPEG keeps its own and any other input gets 444
  --png-level N         PNG compression, 0 (fastest) to 9 (smallest); default 3,
                        nearly as small as 6 and over twice as fast
  --convert             convert greyscale and CMYK images to RGB; without it
                        they are refused ("This plug-in only works on RGB data")
  --strict              refuse images with more than 8 bits per sample; without
                        it 16-bit and floating-point images are converted to
                        8 bits, with a note
  RGBA images keep their transparency: the colour planes are filtered, alpha
  is left as it was. Images wider or taller than 32767 pixels are refused.

Running:
  -j, --jobs N          filter N files at once, in N worker processes
  -q, --quiet           no progress bar and no line per written file
  --scalar              run the engine's portable kernels instead of the vector
                        ones (the same bytes, slower; for telling faults apart)
  --plugin PATH         the plug-in module to load; by default $LUMISTRA_PLUGIN,
                        else the module installed with lumistra
  --about               what the plug-in declares, and its About text
  --version             the version of lumistra
  -h, --help            this text

Ctrl-C (or a closed terminal) stops the file under way; nothing is written
for it.

Exit codes:
  0    every file was filtered and written
  1    at least one file was not written (a line on standard error names it
       and says why); the others were
  2    the command line is wrong; nothing was done
  3    the plug-in module cannot be found or loaded
  4    every file was written, but the --record file could not be
  130  interrupted by Ctrl-C (or SIGTERM, SIGHUP, SIGQUIT)

Examples:
  lumistra photo.jpg                        # writes photo-denoised.jpg
  lumistra photo.jpg -o clean.png --highlight 70 --clarity 60
  lumistra *.jpg --out-dir clean -j 4
  lumistra scan.tif --selection 100,80,900,600 -o scan-fixed.tif
  lumistra a.jpg --shadow 80 --record soft.json && lumistra b.jpg --replay soft.json
)";
}
