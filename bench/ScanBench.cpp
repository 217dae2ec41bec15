// What a host pays to scan the plug-in: load the VST 2 module, open it, read its name, parameter
// and program names, close and unload it; next to the framework's smallest plug-in.
#include <benchmark/benchmark.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include <dlfcn.h>

namespace
{
t_fstPtrInt hostCallback (AEffect*, int opcode, int, t_fstPtrInt, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

using Entry = AEffect* (*) (audioMasterCallback);

void scan (benchmark::State& state, const char* path)
{
    char text[256];

    for (auto _ : state)
    {
        auto* module = dlopen (path, RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr)
        {
            state.SkipWithError (dlerror());
            return;
        }

        auto entry = (Entry) dlsym (module, "VSTPluginMain");
        auto* effect = entry != nullptr ? entry (&hostCallback) : nullptr;
        if (effect == nullptr)
        {
            state.SkipWithError ("no effect");
            dlclose (module);
            return;
        }

        effect->dispatcher (effect, effOpen, 0, 0, nullptr, 0.0f);
        effect->dispatcher (effect, effGetEffectName, 0, 0, text, 0.0f);
        for (int i = 0; i < effect->numParams; ++i)
            effect->dispatcher (effect, effGetParamName, i, 0, text, 0.0f);
        for (int i = 0; i < effect->numPrograms; ++i)
            effect->dispatcher (effect, effGetProgramNameIndexed, i, 0, text, 0.0f);
        effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f);

        dlclose (module);
    }
}

void BM_Scan_Bare (benchmark::State& state)   { scan (state, BARE_VST2_PLUGIN); }
void BM_Scan_Morvex (benchmark::State& state) { scan (state, MORVEX_VST2_PLUGIN); }
}

BENCHMARK (BM_Scan_Bare)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_Scan_Morvex)->Unit (benchmark::kMillisecond);
