/* A Windows VST 2 host in miniature, run under Wine by scripts/windows-test.

   It loads the plug-in DLL with LoadLibrary and VSTPluginMain, as Windows hosts do, and checks what
   a host relies on: identity, the synth flag, the 59 parameters and their texts, the 40 programs,
   both chunks and a chunk round trip into a second instance, silent output, the editor window,
   and the machine-wide files in the user's roaming application-data folder after the instance
   closes.

   Usage: morvex_windows_host <plugin.dll> [<editor.png>]
   With a PNG path, the editor's window is captured into it while it is open. Prints one line per
   check and exits non-zero if any failed. */

#include <windows.h>
#include <shlobj.h>

#include <png.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "aeffectx.h"

static int failures = 0;

#define CHECK(condition, ...)                                   \
    do {                                                         \
        if (condition) { printf ("ok    "); }                     \
        else           { printf ("FAIL  "); ++failures; }         \
        printf (__VA_ARGS__);                                    \
        printf ("\n");                                           \
        fflush (stdout);                                         \
    } while (0)

/* ---------------------------------------------------------------------------------------------- */
static HWND editorWindow = NULL;

static VstIntPtr VSTCALLBACK hostCallback (AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    (void) effect; (void) opt;

    switch (opcode)
    {
        case audioMasterVersion:              return 2400;
        case audioMasterGetSampleRate:        return 48000;
        case audioMasterGetBlockSize:         return 512;
        case audioMasterGetCurrentProcessLevel: return 1;
        case audioMasterGetVendorString:      strcpy ((char*) ptr, "Harrowmead Test"); return 1;
        case audioMasterGetProductString:     strcpy ((char*) ptr, "Windows Host"); return 1;
        case audioMasterSizeWindow:
            if (editorWindow != NULL)
            {
                RECT r = { 0, 0, index, (LONG) value };
                AdjustWindowRect (&r, WS_OVERLAPPEDWINDOW, FALSE);
                SetWindowPos (editorWindow, NULL, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
            }
            return 1;
        default:                              return 0;
    }
}

typedef AEffect* (*EntryPoint) (audioMasterCallback);

static void pumpMessages (int milliseconds, AEffect* effect, int editorIdle)
{
    const DWORD end = GetTickCount() + (DWORD) milliseconds;
    while ((LONG) (end - GetTickCount()) > 0)
    {
        MSG message;
        while (PeekMessageA (&message, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage (&message);
            DispatchMessageA (&message);
        }
        if (editorIdle)
            effect->dispatcher (effect, effEditIdle, 0, 0, NULL, 0.0f);
        Sleep (10);
    }
}

static AEffect* openInstance (EntryPoint entry)
{
    AEffect* effect = entry (hostCallback);
    if (effect != NULL)
        effect->dispatcher (effect, effOpen, 0, 0, NULL, 0.0f);
    return effect;
}

static void closeInstance (AEffect* effect)
{
    effect->dispatcher (effect, effClose, 0, 0, NULL, 0.0f);
}

static void textOf (AEffect* effect, int opcode, int index, char* out)
{
    memset (out, 0, 256);
    effect->dispatcher (effect, opcode, index, 0, out, 0.0f);
}

/* ---------------------------------------------------------------------------------------------- */
static void checkIdentity (AEffect* effect)
{
    char text[256];
    CHECK (effect->magic == kEffectMagic, "magic is VstP");
    textOf (effect, effGetEffectName, 0, text);
    CHECK (strcmp (text, "Prophet 5 Morvex") == 0, "effect name '%s'", text);
    textOf (effect, effGetVendorString, 0, text);
    CHECK (strcmp (text, "Harrowmead") == 0, "vendor '%s'", text);
    CHECK ((effect->flags & effFlagsIsSynth) != 0, "is a synth");
    CHECK ((effect->flags & effFlagsHasEditor) != 0, "has an editor");
    CHECK ((effect->flags & effFlagsProgramChunks) != 0, "keeps its state in chunks");
    CHECK (effect->uniqueID == (int) CCONST ('P', '5', 'm', 'x'), "unique ID P5mx");
    CHECK (effect->numInputs == 0 && effect->numOutputs == 2, "%d inputs, %d outputs", effect->numInputs, effect->numOutputs);

    /* A host of the original interface takes the pins' flags as they come: both outputs active,
       the left one beginning a stereo pair (active 1, stereo 2). */
    for (int pin = 0; pin < 2; ++pin)
    {
        VstPinProperties properties;
        memset (&properties, 0, sizeof (properties));
        const VstIntPtr answered = effect->dispatcher (effect, effGetOutputProperties, pin, 0, &properties, 0.0f);
        const int wanted = pin == 0 ? 3 : 1;
        CHECK (answered == 1 && (properties.flags & 3) == wanted, "output pin %d flags %d", pin, properties.flags);
    }
}

static void checkParametersAndPrograms (AEffect* effect)
{
    static const struct { int index; const char* name; } names[] = {
        { 0, "PROGRAM" }, { 1, "VOLUME" }, { 2, "OSC A FREQ" }, { 19, "FILTER CUTOFF" },
        { 21, "FILTER FLT KEYBOARD" }, { 40, "AFTCH  FILTER" }, { 55, "VOICE COUNT" }, { 58, "UNISON ASSIGN" } };
    static const struct { int index; const char* text; } texts[] = {
        { 0, "Disabled" }, { 2, "C2" }, { 21, "OFF" } };
    char all[59][256];
    char text[256];
    int distinct = 1;

    CHECK (effect->numParams == 59, "%d parameters", effect->numParams);
    CHECK (effect->numPrograms == 40, "%d programs", effect->numPrograms);

    for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i)
    {
        textOf (effect, effGetParamName, names[i].index, text);
        CHECK (strcmp (text, names[i].name) == 0, "parameter %d is '%s'", names[i].index, text);
    }

    for (int p = 0; p < 59 && p < effect->numParams; ++p)
    {
        textOf (effect, effGetParamName, p, all[p]);
        for (int q = 0; q < p; ++q)
            if (strcmp (all[p], all[q]) == 0)
                distinct = 0;
    }
    CHECK (distinct, "every parameter name is its own");

    for (size_t i = 0; i < sizeof texts / sizeof texts[0]; ++i)
    {
        textOf (effect, effGetParamDisplay, texts[i].index, text);
        CHECK (strcmp (text, texts[i].text) == 0, "parameter %d shows '%s'", texts[i].index, text);
    }

    textOf (effect, effGetProgramNameIndexed, 0, text);
    CHECK (strcmp (text, "Poly Brass") == 0, "program 0 is '%s'", text);
    textOf (effect, effGetProgramNameIndexed, 39, text);
    CHECK (strcmp (text, "Poly Synth") == 0, "program 39 is '%s'", text);
}

static void checkSilence (AEffect* effect)
{
    enum { blockSize = 512 };
    static float left[blockSize], right[blockSize];
    float* outputs[2] = { left, right };
    float loudest = 0.0f;

    effect->dispatcher (effect, effSetSampleRate, 0, 0, NULL, 48000.0f);
    effect->dispatcher (effect, effSetBlockSize, 0, blockSize, NULL, 0.0f);
    effect->dispatcher (effect, effMainsChanged, 0, 1, NULL, 0.0f);

    srand (42);
    for (int block = 0; block < 8; ++block)
    {
        /* whatever the host leaves in its buffers */
        for (int i = 0; i < blockSize; ++i)
        {
            left[i]  = (float) rand() / RAND_MAX * 2.0f - 1.0f;
            right[i] = (float) rand() / RAND_MAX * 2.0f - 1.0f;
        }
        effect->processReplacing (effect, NULL, outputs, blockSize);
        for (int i = 0; i < blockSize; ++i)
        {
            if (fabsf (left[i]) > loudest)  loudest = fabsf (left[i]);
            if (fabsf (right[i]) > loudest) loudest = fabsf (right[i]);
        }
    }
    CHECK (loudest == 0.0f, "output is silent (loudest sample %g)", (double) loudest);

    effect->dispatcher (effect, effMainsChanged, 0, 0, NULL, 0.0f);
}

enum { bankChunkSize = 5273, programChunkSize = 156, program3Name = 24 + 3 * 128 + 65 };

static void checkChunks (AEffect* effect, EntryPoint entry)
{
    void* data = NULL;
    const VstIntPtr programSize = effect->dispatcher (effect, effGetChunk, 1, 0, &data, 0.0f);
    CHECK (programSize == programChunkSize && data != NULL, "program chunk of %d bytes", (int) programSize);

    data = NULL;
    const VstIntPtr bankSize = effect->dispatcher (effect, effGetChunk, 0, 0, &data, 0.0f);
    CHECK (bankSize == bankChunkSize && data != NULL, "bank chunk of %d bytes", (int) bankSize);
    if (bankSize != bankChunkSize || data == NULL)
        return;

    CHECK (memcmp (data, "Ph_5MorvexBankVersion100", 24) == 0, "bank chunk starts with its key");

    /* A project saved with a renamed program, opened into a fresh instance. */
    char edited[bankChunkSize];
    memcpy (edited, data, bankChunkSize);
    memcpy (edited + program3Name, "Kept In Project ", 16);

    AEffect* other = openInstance (entry);
    CHECK (other != NULL, "second instance opens");
    if (other == NULL)
        return;

    other->dispatcher (other, effSetChunk, 0, bankChunkSize, edited, 0.0f);
    void* restored = NULL;
    const VstIntPtr restoredSize = other->dispatcher (other, effGetChunk, 0, 0, &restored, 0.0f);
    CHECK (restoredSize == bankChunkSize && restored != NULL
               && memcmp ((const char*) restored + program3Name, "Kept In Project ", 16) == 0,
           "bank chunk comes back out of the second instance");

    char name[256];
    textOf (other, effGetProgramNameIndexed, 3, name);
    CHECK (strncmp (name, "Kept In Project", 15) == 0, "program 3 is now '%s'", name);
    closeInstance (other);
}

/* ---------------------------------------------------------------------------------------------- */
static int writePng (const char* path, int width, int height, const unsigned char* bgra)
{
    FILE* file = fopen (path, "wb");
    if (file == NULL)
        return 0;

    png_structp png = png_create_write_struct (PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png_create_info_struct (png);
    if (setjmp (png_jmpbuf (png)))
    {
        png_destroy_write_struct (&png, &info);
        fclose (file);
        return 0;
    }

    png_init_io (png, file);
    png_set_IHDR (png, info, (png_uint_32) width, (png_uint_32) height, 8, PNG_COLOR_TYPE_RGB,
                  PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info (png, info);

    unsigned char* row = malloc ((size_t) width * 3);
    for (int y = 0; y < height; ++y)
    {
        const unsigned char* in = bgra + (size_t) y * (size_t) width * 4;
        for (int x = 0; x < width; ++x)
        {
            row[x * 3 + 0] = in[x * 4 + 2];
            row[x * 3 + 1] = in[x * 4 + 1];
            row[x * 3 + 2] = in[x * 4 + 0];
        }
        png_write_row (png, row);
    }
    free (row);

    png_write_end (png, NULL);
    png_destroy_write_struct (&png, &info);
    fclose (file);
    return 1;
}

/* Captures what the window shows on screen, the plug-in's child window included (PrintWindow would
   draw only the host window's own background), into a PNG if a path is given. Returns the share
   of pixels still showing the host window's grey, or -1 if the capture failed. */
static double captureWindow (HWND window, int width, int height, const char* path)
{
    HDC windowDC = GetDC (window);
    HDC memoryDC = CreateCompatibleDC (windowDC);
    BITMAPINFO bitmapInfo;
    memset (&bitmapInfo, 0, sizeof bitmapInfo);
    bitmapInfo.bmiHeader.biSize = sizeof bitmapInfo.bmiHeader;
    bitmapInfo.bmiHeader.biWidth = width;
    bitmapInfo.bmiHeader.biHeight = -height; /* top-down */
    bitmapInfo.bmiHeader.biPlanes = 1;
    bitmapInfo.bmiHeader.biBitCount = 32;
    bitmapInfo.bmiHeader.biCompression = BI_RGB;

    void* pixels = NULL;
    HBITMAP bitmap = CreateDIBSection (memoryDC, &bitmapInfo, DIB_RGB_COLORS, &pixels, NULL, 0);
    HGDIOBJ previous = SelectObject (memoryDC, bitmap);
    BitBlt (memoryDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
    GdiFlush();

    double hostGrey = -1.0;
    if (pixels != NULL && (path == NULL || writePng (path, width, height, (const unsigned char*) pixels)))
    {
        const unsigned char* p = (const unsigned char*) pixels;
        size_t grey = 0;
        for (size_t i = 0; i < (size_t) width * (size_t) height; ++i, p += 4)
            grey += p[0] == 0x80 && p[1] == 0x80 && p[2] == 0x80;
        hostGrey = (double) grey / ((double) width * height);
    }

    SelectObject (memoryDC, previous);
    DeleteObject (bitmap);
    DeleteDC (memoryDC);
    ReleaseDC (window, windowDC);
    return hostGrey;
}

/* Windows' error code for a failed step's message; nothing when it succeeded. */
static const char* lastError (int succeeded)
{
    static char text[32];
    if (succeeded)
        return "";
    snprintf (text, sizeof text, " (error %lu)", GetLastError());
    return text;
}

static void checkEditor (AEffect* effect, const char* screenshot)
{
    WNDCLASSA windowClass;
    memset (&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA (NULL);
    windowClass.lpszClassName = "MorvexTestHostWindow";
    windowClass.hbrBackground = (HBRUSH) GetStockObject (GRAY_BRUSH); /* 0x808080, told apart from the editor */
    const ATOM registered = RegisterClassA (&windowClass);
    CHECK (registered != 0, "window class registered%s", lastError (registered != 0));

    editorWindow = CreateWindowA ("MorvexTestHostWindow", "Prophet 5 Morvex", WS_OVERLAPPEDWINDOW,
                                  40, 40, 800, 500, NULL, NULL, windowClass.hInstance, NULL);
    CHECK (editorWindow != NULL, "host window created%s", lastError (editorWindow != NULL));
    if (editorWindow == NULL)
        return;

    effect->dispatcher (effect, effEditOpen, 0, 0, editorWindow, 0.0f);

    ERect* rect = NULL;
    effect->dispatcher (effect, effEditGetRect, 0, 0, &rect, 0.0f);
    CHECK (rect != NULL, "editor gives its size");
    if (rect != NULL)
    {
        const int width = rect->right - rect->left, height = rect->bottom - rect->top;
        CHECK (width >= 454 && width <= 2426 && height >= 298 && height <= 644, "editor is %d x %d", width, height);

        RECT r = { 0, 0, width, height };
        AdjustWindowRect (&r, WS_OVERLAPPEDWINDOW, FALSE);
        SetWindowPos (editorWindow, NULL, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
        ShowWindow (editorWindow, SW_SHOW);
        UpdateWindow (editorWindow);
        pumpMessages (1500, effect, 1);

        HWND child = GetWindow (editorWindow, GW_CHILD);
        CHECK (child != NULL && IsWindowVisible (child), "editor's window sits in the host's window");

        const double hostGrey = captureWindow (editorWindow, width, height, screenshot);
        CHECK (hostGrey >= 0.0 && hostGrey < 0.5, "editor painted its window (%.0f%% host background)%s%s",
               hostGrey * 100.0, screenshot != NULL ? ", captured to " : "", screenshot != NULL ? screenshot : "");
    }

    effect->dispatcher (effect, effEditClose, 0, 0, NULL, 0.0f);
    pumpMessages (200, effect, 0);
    CHECK (GetWindow (editorWindow, GW_CHILD) == NULL, "editor's window is gone after closing");
    DestroyWindow (editorWindow);
    editorWindow = NULL;
}

/* ---------------------------------------------------------------------------------------------- */
static const char* const settingsFiles[] = { "p5plugst.dat", "Ph5_data.dat", "prophet5plports.dat" };

static void settingsPath (const char* name, char* out)
{
    char appData[MAX_PATH];
    SHGetFolderPathA (NULL, CSIDL_APPDATA, NULL, SHGFP_TYPE_CURRENT, appData);
    snprintf (out, MAX_PATH, "%s\\PluginSettings\\%s", appData, name);
}

static void forgetSettingsFiles (void)
{
    char path[MAX_PATH];
    for (size_t i = 0; i < sizeof settingsFiles / sizeof settingsFiles[0]; ++i)
    {
        settingsPath (settingsFiles[i], path);
        DeleteFileA (path);
    }
}

static void checkSettingsFiles (void)
{
    char path[MAX_PATH];
    for (size_t i = 0; i < sizeof settingsFiles / sizeof settingsFiles[0]; ++i)
    {
        settingsPath (settingsFiles[i], path);
        WIN32_FILE_ATTRIBUTE_DATA attributes;
        const int exists = GetFileAttributesExA (path, GetFileExInfoStandard, &attributes)
                           && (attributes.nFileSizeLow > 0 || attributes.nFileSizeHigh > 0);
        CHECK (exists, "%s written (%lu bytes)", path, exists ? attributes.nFileSizeLow : 0ul);
    }

    settingsPath ("Ph5_data.dat", path);
    char head[13] = { 0 };
    FILE* groups = fopen (path, "rb");
    const size_t got = groups != NULL ? fread (head, 1, sizeof head, groups) : 0;
    if (groups != NULL)
        fclose (groups);
    CHECK (got == sizeof head && memcmp (head, "Proph12 Data>", 13) == 0, "the groups file holds the instrument's memory");
}

/* ---------------------------------------------------------------------------------------------- */
int main (int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf (stderr, "usage: %s <plugin.dll> [<editor.png>]\n", argv[0]);
        return 2;
    }

    forgetSettingsFiles();

    HMODULE module = LoadLibraryA (argv[1]);
    CHECK (module != NULL, "LoadLibrary %s", argv[1]);
    if (module == NULL)
        return 1;

    EntryPoint entry = (EntryPoint) (void*) GetProcAddress (module, "VSTPluginMain");
    CHECK (entry != NULL, "exports VSTPluginMain");
    if (entry == NULL)
        return 1;

    AEffect* effect = openInstance (entry);
    CHECK (effect != NULL, "VSTPluginMain gives an effect");
    if (effect == NULL)
        return 1;

    checkIdentity (effect);
    checkParametersAndPrograms (effect);
    checkSilence (effect);
    checkChunks (effect, entry);
    checkEditor (effect, argc > 2 ? argv[2] : NULL);

    pumpMessages (100, effect, 0);
    closeInstance (effect);
    checkSettingsFiles();

    FreeLibrary (module);

    printf ("%s: %d check(s) failed\n", failures == 0 ? "passed" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
