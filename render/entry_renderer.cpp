#include "render/entry_renderer.h"

CEntryRenderer::CEntryRenderer(RenderSink sink, void* context, CBlockStore* blocks)
    : sink_(sink), context_(context), blocks_(blocks) {}

CEntryRenderer::~CEntryRenderer() = default;
