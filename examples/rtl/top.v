// The example design: a counter feeds a bus multiplexer, and a handshake
// controller decides when the count is sampled.
module top(clk, rst_n, start, ack, ext_data, use_ext, data_out, req, done);
input        clk;        // system clock
input        rst_n;      // asynchronous reset, active low
input        start;      // begin a transfer
input        ack;        // acknowledge of the receiver
input  [7:0] ext_data;   // data from outside
input        use_ext;    // send the outside data instead of the count
output [7:0] data_out;   // data sent to the receiver
output       req;        // request to the receiver
output       done;       // end of a transfer

wire [7:0] count;
wire       wrap;
wire       busy;

counter u_counter(
    .clk(clk),
    .rst_n(rst_n),
    .clear(done),
    .enable(busy),
    .count(count),
    .wrap(wrap)
);

handshake_fsm u_fsm(
    .clk(clk),
    .rst_n(rst_n),
    .start(start),
    .ack(ack),
    .req(req),
    .busy(busy),
    .done(done)
);

bus_mux u_mux(
    .sel(use_ext),
    .a(count),
    .b(ext_data),
    .y(data_out)
);

endmodule
