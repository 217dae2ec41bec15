#pragma once

/** Told which button closed a text prompt, with the request code and value the prompt was
    opened with, so one panel can tell its prompts apart. */
class textmsgListener
{
public:
    virtual ~textmsgListener() = default;
    virtual void textOk (int requestCode, int requestValue) = 0;
    virtual void textNo (int requestCode, int requestValue) = 0;
    virtual void textCancel (int requestCode, int requestValue) = 0;
};
