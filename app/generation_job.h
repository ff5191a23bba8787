#pragma once

#include "generator/generator_input.h"
#include "pictures/picture_upload.h"

namespace lw {

// What a generation is for.
enum class GenerateMode
{
    Generate,     // web picture addresses, the pictures uploaded when FTP upload is on; the page
                  // to the clipboard and the seller told how to post it
    Submission,   // as Generate, for the submission window, which tells the seller itself
    Preview,      // the pictures on this computer; the page written and opened in the browser
    PreviewPage,  // as Preview, the page only (the generate command without a window)
    GeneratePage, // as Generate, the page only (the generate command writing many ads to a folder)
};

// One Generate or Preview from its start to its page. The ad, the pictures, the preferences, the
// table backgrounds and the template are taken once, when it starts: the upload sends the pictures
// of that moment and the page is made from the same values, so a change the seller makes while
// the pictures travel belongs to the next generation. Whatever is done to the pictures before they
// go (the upload list is made from `input.pictures`) works on this snapshot too.
struct GenerationJob
{
    GenerateMode mode = GenerateMode::Generate;
    GeneratorInput input;
    // The files that go to the seller's server first; no items when nothing is uploaded.
    UploadRequest upload;
    // The upload was stopped because the program ends: its end shows no message.
    bool stoppedForQuit = false;
};

} // namespace lw
