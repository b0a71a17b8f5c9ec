// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every limit of the program in one place, each with its reason: what the window and
// framolin-strip accept, what each format and browsers can hold, and how much memory a decode,
// the frames decoded ahead and the options may take. Nothing else defines a limit.

#include <QtGlobal>

namespace engine {

// 1024 × 1024: the mega of the MiB and megapixel figures in messages.
inline constexpr qint64 kMega = qint64(1) << 20;

// --- The working set -----------------------------------------------------------------------

// Frame sides, in pixels, run from 1 to this: the window's fields hold 16-bit integers.
inline constexpr int kMaxFrameSide = 32767;
// A list holds at most this many entries (the window's list box counts in 16 bits); a larger
// stored count is cut to it.
inline constexpr int kMaxListEntries = 32767;
// The largest strip the program builds: its 24-bit BMP rows, padded to 4 bytes, stay within
// 2 GiB, which keeps the file well inside the format's 32-bit sizes and the memory of an
// ordinary desktop.
inline constexpr qint64 kMaxStripBytes = qint64(1) << 31;
// A sheet is at most as wide, in frames, as the longest list.
inline constexpr int kMaxColumns = kMaxListEntries;

// The settings file is read up to this size and refused beyond: the longest list (32,767
// entries) of paths of about 500 bytes fits, while a file grown by mistake cannot take the
// memory of the window or of framolin-strip.
inline constexpr qint64 kMaxSettingsBytes = 16 * kMega;

// --- Decoding --------------------------------------------------------------------------------

// Most megabytes one picture's decode may allocate for its pixels; a picture needing more is
// refused. Qt's own reader limit is the same.
inline constexpr int kMaxDecodeMegabytes = 128;
inline constexpr qint64 kMaxDecodeBytes = qint64(kMaxDecodeMegabytes) * kMega;
// Most megabytes the decodes running at the same time may hold together (pictures as decoded,
// their conversions and the frames they are stretched to): two pictures at the limit above, so
// more workers share this memory instead of multiplying it. A single decode needing more runs
// alone.
inline constexpr int kDecodeBudgetMegabytes = 256;
// Most bytes of a PNG's ancillary chunks (colour profile, EXIF and the like) handed to Qt's
// reader, which inflates a compressed profile whole as it reads the header; text chunks are
// never handed over at all, whatever their size. Real profiles and EXIF blocks are a few
// kilobytes.
inline constexpr qint64 kMaxPngMetadataBytes = qint64(1) << 20;
// Most chunks a PNG may hold before its data ends: each is walked before the picture is read,
// and encoders write image data in chunks of 8 KB or more (16,384 of them for the 128 MB of
// the largest picture decoded).
inline constexpr int kMaxPngChunks = 1 << 18;
// Largest picture accepted, from its header and before any decoding. JPEG decodes at a
// reduced scale, so it may be larger than what fits the decode budget whole (what it decodes
// to must fit); the bound keeps the time spent reading its coefficients to a few seconds.
inline constexpr qint64 kMaxJpegPixels = qint64(256) * kMega;
// A progressive JPEG, or one whose scans hold only some of its components, holds the
// coefficients of the whole picture while it decodes, up to 8 bytes a pixel, whatever the scale
// it is decoded at; what libjpeg allocates must also fit the decode budget.
inline constexpr qint64 kMaxProgressiveJpegPixels = kMaxDecodeBytes / 8;
// BMP, GIF, PNG, WebP and TIFF decode whole at 4 bytes a pixel and must fit the budget.
inline constexpr qint64 kMaxWholePixels = kMaxDecodeBytes / 4;

// Frames decoded ahead of the one being written or painted, for the window and framolin-strip
// alike: enough to keep every core busy while the disk or the screen catches up, and at least
// one frame however large.
inline constexpr qint64 kReadAheadBytes = 32 * kMega;

// Most bytes of pictures the automatic crop keeps decoded for the frames to be cut from, shared
// evenly by the pictures: 36 photos of 3000 × 2000 for 320 × 200 frames take 54 MB. A picture
// whose decode is over its share is decoded again for its frame.
inline constexpr qint64 kCropKeepBytes = 128 * kMega;

// --- Videos ------------------------------------------------------------------------------------

// Largest video frame accepted, from the header: 8K (8192 × 4320), the most any camera or phone
// records; a larger claim is a damaged or hostile header.
inline constexpr qint64 kMaxVideoPixels = qint64(8192) * 4320;
// Longest video accepted: a turn is filmed in seconds or minutes, moments are worked out from
// the duration a damaged header may claim, and a day keeps microsecond timestamps far from
// overflowing.
inline constexpr double kMaxVideoSeconds = 24 * 3600;
// Most frames a video may claim: a day at 240 frames a second, the fastest phone cameras.
inline constexpr qint64 kMaxVideoFrames = qint64(24) * 3600 * 240;
// Frames a video decoder holds at its peak, budgeted for each decode: H.264 and HEVC keep up to
// 16 reference frames, and frame threading one more per thread.
inline constexpr int kVideoDecodeFramesHeld = 24;
// Video readers kept open between decodes, so the moments of one video decode forward instead
// of opening and seeking each time; each holds a decoder's frames, so few are kept.
inline constexpr int kMaxIdleVideoReaders = 2;
// Most damaged packets or frames skipped in a row before a video is called damaged: a few are
// concealed as players do, a file of garbage is not read to its end.
inline constexpr int kMaxVideoDecodeErrors = 64;

// --- Formats and browsers --------------------------------------------------------------------

// Largest side each format can hold. BMP and PNG have no limit below what a strip may be; JPEG's
// frame header and WebP's bitstream have fixed-width size fields.
inline constexpr int kMaxJpegSide = 65500;
inline constexpr int kMaxWebpSide = 16383;
// A PNG chunk's length is a 31-bit number.
inline constexpr qint64 kMaxPngChunkBytes = 0x7fffffff;
// Web browsers refuse a BMP wider or taller than this, although the file is valid.
inline constexpr int kMaxBrowserBmpSide = 65535;

// --- Targets: what the sheets of a web page may be ------------------------------------------

// Phones (the "mobile" target): mobile Safari refuses images over 16,777,216 pixels
// (4096 × 4096) for canvas use and decodes large JPEGs subsampled, and mobile GPUs commonly cap
// textures at 4096 a side (a strip 13,824 pixels wide showed nothing on a Pixel 7; Android
// Chrome failed an 8960 × 4680 sheet that worked at 4480 × 2340).
inline constexpr int kMobileMaxSide = 4096;
inline constexpr qint64 kMobileMaxPixels = qint64(4096) * 4096;
// Desktop browsers (the "desktop" target): WebP and JPEG at their formats' limits above;
// Firefox shows a PNG of 65,536 rows as a blank box (65,535 decode) and Chromium opens no BMP
// beyond kMaxBrowserBmpSide, so PNG and BMP stop at 65,535 a side.
inline constexpr int kDesktopMaxPngSide = 65535;
// 100 megapixels (400 MB decoded) per image: well inside the canvas limits of Chrome (268 MP)
// and Firefox (472 MP), and a strip of 72 full-HD frames (149 MP) is split rather than left to
// the memory of the tab.
inline constexpr qint64 kDesktopMaxPixels = 100'000'000;

// A set of sheets for phones beyond this many bytes (20 MB) gets a warning naming each sheet's
// size: it is several seconds over a mobile connection before the first turn, and the decoded
// sheets stay in the page's memory on devices that have little of it.
inline constexpr qint64 kMobileSetBytes = 20'000'000;

// --- Options -----------------------------------------------------------------------------------

// framolin-strip's --jobs: far beyond any desktop's cores, low enough that a typing slip does
// not ask for thousands of threads.
inline constexpr int kMaxJobs = 256;
// --quality of JPEG and WebP runs from 1 to this.
inline constexpr int kMaxQuality = 100;
// --crop auto:MARGIN: a margin of the object's whole size on each side already triples the
// box; more would only ever mean the whole picture.
inline constexpr int kMaxCropMarginPercent = 100;
// --crop X,Y,W,H: keeps the box's sums far from overflowing; JPEG, GIF and WebP pictures are
// never wider or taller.
inline constexpr int kMaxCropSide = 65535;
// --poster: the first frame, shown before the sheets arrive and by pages without scripts, is
// scaled down to at most this many pixels a side, so it stays a few tens of kB however large
// the frames are.
inline constexpr int kMaxPosterSide = 640;

// --- Loops (animated GIF and WebP, MP4, WebM) --------------------------------------------------

// A loop's frame rate runs from 1 to this: GIF counts delays in hundredths of a second and
// browsers slow any delay under 2 of them to 10, so 50 frames a second is the fastest that
// plays as asked in every format.
inline constexpr int kMaxLoopFps = 50;
inline constexpr int kDefaultLoopFps = 12;
// Most frames in a loop: ten minutes at 12 frames a second, far beyond a turn of 72 frames,
// and a bound on how long an encode may run.
inline constexpr int kMaxLoopFrames = 7200;
// Largest loop frame: H.264's level 5.1, what phones and browsers decode in hardware, holds
// 4096 × 2304; VP9, GIF and animated WebP are kept to the same so every loop plays everywhere.
inline constexpr int kMaxLoopSide = 4096;
inline constexpr qint64 kMaxLoopFramePixels = qint64(4096) * 2304;
// A GIF takes one palette from all its frames, so they are kept (4 bytes a pixel) until the
// last one is seen; this bounds that memory, and a turn of 72 full-HD frames (597 MB) fits.
inline constexpr qint64 kMaxGifKeptBytes = qint64(640) * kMega;

} // namespace engine
