// Stage annotations: buttons, texts and notes.
#pragma once

struct AnnotationButton {};
struct AnnotationText {};
struct NoteRecord {};
