#include "jpeg_test_support.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include <jpeglib.h>

namespace lumora::test {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Test files are expected to be good; any libjpeg error fails the test
// through the exception (which libjpeg-turbo's C frames pass on x86-64).
[[noreturn]] void Throw(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    throw std::runtime_error(text);
}

}  // namespace

DecodedJpeg DecodeReference(const std::string& path, bool quantize)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw std::runtime_error("cannot open " + path);
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    errors.error_exit = Throw;
    errors.output_message = [](j_common_ptr) {};
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file.get());
    jpeg_read_header(&cinfo, TRUE);
    DecodedJpeg out;
    out.progressive = cinfo.progressive_mode;
    if (cinfo.quant_tbl_ptrs[0])
        for (int i = 0; i < DCTSIZE2; ++i)
            out.lumaTable.push_back(cinfo.quant_tbl_ptrs[0]->quantval[i]);
    if (quantize) {
        cinfo.quantize_colors = TRUE;
        cinfo.dither_mode = JDITHER_FS;
        cinfo.desired_number_of_colors = 236;
    }
    jpeg_start_decompress(&cinfo);
    out.width = cinfo.output_width;
    out.height = cinfo.output_height;
    out.components = quantize ? 1 : cinfo.output_components;
    out.samples.resize(size_t{out.width} * out.height * out.components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.samples.data() + size_t{cinfo.output_scanline} * out.width * out.components;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    if (quantize) {
        const int last = cinfo.out_color_components - 1;
        for (int i = 0; i < cinfo.actual_number_of_colors; ++i)
            out.colormap.push_back({cinfo.colormap[0][i], cinfo.colormap[std::min(1, last)][i],
                                    cinfo.colormap[std::min(2, last)][i]});
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

DecodedJpeg DecodeReferenceEighth(const std::vector<uint8_t>& bytes)
{
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    errors.error_exit = Throw;
    errors.output_message = [](j_common_ptr) {};
    DecodedJpeg out;
    jpeg_create_decompress(&cinfo);
    try {
        jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.scale_num = 1;
        cinfo.scale_denom = 8;
        cinfo.dct_method = JDCT_IFAST;
        cinfo.do_fancy_upsampling = FALSE;
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        out.width = cinfo.output_width;
        out.height = cinfo.output_height;
        out.components = 3;
        out.samples.resize(size_t{out.width} * out.height * 3);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = out.samples.data() + size_t{cinfo.output_scanline} * out.width * 3;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
    } catch (const std::runtime_error&) {
        out = DecodedJpeg{};
    }
    jpeg_destroy_decompress(&cinfo);
    return out;
}

std::vector<uint16_t> LumaTableForQuality(int quality)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    std::vector<uint16_t> table(cinfo.quant_tbl_ptrs[0]->quantval,
                                cinfo.quant_tbl_ptrs[0]->quantval + DCTSIZE2);
    jpeg_destroy_compress(&cinfo);
    return table;
}

}  // namespace lumora::test
