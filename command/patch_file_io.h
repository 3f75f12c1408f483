// The patch writer's files: its head line, its words for a failed write, and the check that
// keeps it from replacing a file it did not make.
#pragma once

#include <string>

#include "command/save_state.h"
#include "qxplatform/file_writer.h"

// True when a failed write stopped before any byte was written: the target is read-only or a
// folder, or its folder cannot take a new file ("-> FILE IS READ ONLY"); false when a write,
// the flush, the close or the rename failed ("-> SAVE FAILED - THE OLD FILE IS KEPT").
bool failedBeforeWriting(const qxplatform::WriteResult& result);

// The reason of a failed write in upper case, for the console line after the message.
std::string patchWriteReason(const qxplatform::WriteResult& result);

// The first line of every file the patch writer makes.
inline constexpr const char* kPatchHeadLine = "# RESET EVERYTHING";

// A line of the patches that ship with the module (DEMO, BLANK), which the writer never
// writes: a file that holds it opens as a template, leaving the stage untitled, so that no
// save replaces it unasked. Copies laid in a person's own module folder hold it too.
inline constexpr const char* kTemplateMarkLine = "# TEMPLATE";

// True when the text holds kTemplateMarkLine as a line of its own.
bool holdsTemplateMark(const std::string& text);

// True when hostPath names an existing regular file whose first line is not kPatchHeadLine (or
// that cannot be read): a file the patch writer did not make, which a save must not replace
// unasked. A missing file, a folder and a patch give false.
bool holdsSomethingOtherThanAPatch(const std::string& hostPath);

// The size and modification time of the regular file hostPath names; nothing held when there
// is none.
FileStamp stampOfFile(const std::string& hostPath);
