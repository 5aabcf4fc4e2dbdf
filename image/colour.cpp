#include "image/colour.h"

#include "image/failsafe.h"

#include <lcms2.h>

#include <memory>

namespace {
struct ContextDeleter
{
    void operator()(cmsContext context) const { cmsDeleteContext(context); }
};
struct ProfileCloser
{
    void operator()(cmsHPROFILE profile) const { cmsCloseProfile(profile); }
};
struct TransformDeleter
{
    void operator()(cmsHTRANSFORM transform) const { cmsDeleteTransform(transform); }
};
using Context = std::unique_ptr<_cmsContext_struct, ContextDeleter>;
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;
} // namespace

cv::Mat toSrgb(const cv::Mat &rgb, const QByteArray &profile)
{
    if (profile.isEmpty() || rgb.empty() || rgb.type() != CV_8UC3)
        return rgb;
    // A context of its own: Little CMS reports errors through it, and nothing is shared between
    // the workers.
    const Context context(cmsCreateContext(nullptr, nullptr));
    const Profile source(cmsOpenProfileFromMemTHR(context.get(), profile.constData(),
                                                  cmsUInt32Number(profile.size())));
    if (!source || cmsGetColorSpace(source.get()) != cmsSigRgbData)
        return rgb;
    const Profile srgb(cmsCreate_sRGBProfileTHR(context.get()));
    const Transform transform(cmsCreateTransformTHR(context.get(), source.get(), TYPE_RGB_8,
                                                    srgb.get(), TYPE_RGB_8, INTENT_PERCEPTUAL, 0));
    if (!transform)
        return rgb;
    return orEmpty([&] {
        cv::Mat converted(rgb.size(), CV_8UC3);
        for (int y = 0; y < rgb.rows; ++y)
            cmsDoTransform(transform.get(), rgb.ptr(y), converted.ptr(y),
                           cmsUInt32Number(rgb.cols));
        return converted;
    });
}

QByteArray sharedProfile(std::vector<cv::Mat> &pictures, const std::vector<QByteArray> &profiles,
                         bool srgb)
{
    bool shared = !srgb;
    for (const QByteArray &profile : profiles)
        shared = shared && profile == profiles.front();
    if (shared)
        return profiles.empty() ? QByteArray() : profiles.front();
    for (size_t i = 0; i < pictures.size() && i < profiles.size(); ++i)
        pictures[i] = toSrgb(pictures[i], profiles[i]);
    return {};
}
